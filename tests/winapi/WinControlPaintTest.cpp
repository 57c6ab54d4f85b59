// Pictures of the controls: each test puts a few controls on a plain parent
// window, renders the parent as the host's pictures do and reads pixels at
// the points where the classic look puts its marks.
#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <vector>

#include "winapi/WinControls.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinHandle.h"
#include "winapi/WinIcon.h"
#include "winapi/WinModule.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinUiDriver.h"

namespace {
// The parent's answer to WM_DRAWITEM, set by the test that needs one.
std::function<void(const DRAWITEMSTRUCT&)>& OwnerDraw() {
    static std::function<void(const DRAWITEMSTRUCT&)> draw;
    return draw;
}

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM && OwnerDraw()) {
        OwnerDraw()(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A rendered window, its pixels read back through a memory DC.
class Picture {
public:
    explicit Picture(HWND window) : bitmap_(WinUiDriver::Render(window)), dc_(CreateCompatibleDC(nullptr)) {
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Picture() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    COLORREF At(LONG x, LONG y) const { return GetPixel(dc_, x, y); }
    static bool IsDark(COLORREF color) {
        return GetRValue(color) < 100 && GetGValue(color) < 100 && GetBValue(color) < 100;
    }
    // The pixels of a rectangle that are dark (text, marks, arrows).
    size_t Dark(RECT r) const {
        size_t dark = 0;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                dark += IsDark(At(x, y)) ? 1 : 0;
        return dark;
    }
    // The dark pixels of each row of a rectangle that has any, top first.
    std::vector<size_t> DarkRows(RECT r) const {
        std::vector<size_t> rows;
        for (LONG y = r.top; y < r.bottom; ++y)
            if (const size_t dark = Dark({r.left, y, r.right, y + 1}); dark > 0) rows.push_back(dark);
        return rows;
    }
    // The dark pixels of each column of a rectangle that has any, left first.
    std::vector<size_t> DarkColumns(RECT r) const {
        std::vector<size_t> columns;
        for (LONG x = r.left; x < r.right; ++x)
            if (const size_t dark = Dark({x, r.top, x + 1, r.bottom}); dark > 0) columns.push_back(dark);
        return columns;
    }
    // The pixels of a rectangle that are light (text on the highlight).
    size_t Light(RECT r) const {
        size_t light = 0;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x) {
                const COLORREF color = At(x, y);
                light += GetRValue(color) > 160 && GetGValue(color) > 160 && GetBValue(color) > 160 ? 1 : 0;
            }
        return light;
    }
    size_t Count(RECT r, COLORREF color) const {
        size_t count = 0;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                count += At(x, y) == color ? 1 : 0;
        return count;
    }

private:
    HBITMAP bitmap_;
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

// A new 32-bit bitmap of the given pixels, top row first.
HBITMAP MakeBitmap(const std::vector<std::vector<COLORREF>>& rows) {
    const int width = static_cast<int>(rows[0].size()), height = static_cast<int>(rows.size());
    HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel(dc, x, y, rows[static_cast<size_t>(y)][static_cast<size_t>(x)]);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return bitmap;
}

RECT Inset(RECT r, LONG by) {
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

class WinControlPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(access("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", R_OK), 0)
            << "fonts-dejavu-core is not installed (scripts/deps.sh installs it)";
        WNDCLASSW parentClass{};
        parentClass.lpfnWndProc = ParentProcedure;
        parentClass.lpszClassName = u"QvPaintParent";
        RegisterClassW(&parentClass);
        parent_ = CreateWindowExW(0, u"QvPaintParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        OwnerDraw() = nullptr;
        DestroyWindow(parent_);
    }

    // A visible child control at r (parent coordinates); later controls lie
    // below earlier ones, as a dialog template's items do.
    HWND Add(const char16_t* className, DWORD style, RECT r, const char16_t* text = u"",
             HINSTANCE instance = nullptr) {
        const HWND control =
            CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, parent_,
                            reinterpret_cast<HMENU>(static_cast<uintptr_t>(++lastId_)), instance, nullptr);
        EXPECT_NE(control, nullptr);
        return control;
    }
    // The control's rectangle in the parent's coordinates.
    RECT Where(HWND control) const {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, parent_, reinterpret_cast<LPPOINT>(&rect), 2);
        return rect;
    }

    HWND parent_ = nullptr;
    int lastId_ = 100;
};

// A drop-down combo box is given the height of its open list, as a dialog
// template gives it; closed, it must cover only its field, so the controls
// under the list's place (a group's title, an edit) show.
TEST_F(WinControlPaintTest, AClosedDropDownComboBoxCoversOnlyItsField) {
    for (DWORD type : {CBS_DROPDOWNLIST, CBS_DROPDOWN}) {
        SCOPED_TRACE(type);
        const HWND combo = Add(WC_COMBOBOXW, type, {10, 10, 150, 120});
        const HWND group = Add(WC_BUTTONW, BS_GROUPBOX, {10, 40, 150, 110}, u"Copies");
        const HWND edit = Add(WC_EDITW, WS_BORDER, {20, 64, 80, 84}, u"88");
        const RECT field = Where(combo), frame = Where(group);
        EXPECT_LT(field.bottom, frame.top);
        RECT dropped{};
        EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)));
        MapWindowPoints(nullptr, parent_, reinterpret_cast<LPPOINT>(&dropped), 2);
        EXPECT_EQ(dropped.top, 10);
        EXPECT_EQ(dropped.bottom, 120);
        const Picture picture(parent_);
        EXPECT_GT(picture.Dark({frame.left + 6, frame.top, frame.left + 60, frame.top + 12}), 10u);
        EXPECT_GT(picture.Dark(Inset(Where(edit), 3)), 10u);
        for (HWND control : {combo, group, edit})
            DestroyWindow(control);
    }
}

// An up-down aligned to its buddy sits inside the buddy's old rectangle at
// that edge, as tall as the buddy, which narrows to make room; it shows an
// arrow pointing up in its upper half and one pointing down in its lower.
TEST_F(WinControlPaintTest, AnAlignedUpDownSitsAtItsBuddysEdgeWithTwoArrows) {
    struct Case {
        DWORD align;
        RECT spin;
        RECT buddy;
    };
    const Case cases[] = {{UDS_ALIGNRIGHT, {54, 10, 70, 32}, {10, 10, 54, 32}},
                          {UDS_ALIGNLEFT, {10, 10, 26, 32}, {26, 10, 70, 32}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        const HWND edit = Add(WC_EDITW, WS_BORDER, {10, 10, 70, 32}, u"1");
        const HWND spin = Add(UPDOWN_CLASSW, UDS_AUTOBUDDY | c.align, {80, 12, 96, 60});
        const RECT arrows = Where(spin), box = Where(edit);
        EXPECT_TRUE(EqualRect(&arrows, &c.spin))
            << arrows.left << "," << arrows.top << " " << arrows.right << "," << arrows.bottom;
        EXPECT_TRUE(EqualRect(&box, &c.buddy)) << box.left << " " << box.right;
        const Picture picture(parent_);
        const LONG middle = (arrows.top + arrows.bottom) / 2;
        const std::vector<size_t> up =
            picture.DarkRows({arrows.left + 2, arrows.top + 2, arrows.right - 2, middle});
        const std::vector<size_t> down =
            picture.DarkRows({arrows.left + 2, middle, arrows.right - 2, arrows.bottom - 2});
        ASSERT_GE(up.size(), 2u);
        ASSERT_GE(down.size(), 2u);
        EXPECT_LT(up.front(), up.back());
        EXPECT_GT(down.front(), down.back());
        DestroyWindow(spin);
        DestroyWindow(edit);
    }
}

// Push buttons are raised: highlight at the top left, dark shadow outside
// and shadow inside at the bottom right. A default button has a dark frame
// around that; a pushed one a dark frame with a shadow inside it.
TEST_F(WinControlPaintTest, PushButtonsAreRaisedAndSinkWhenPushed) {
    struct Case {
        DWORD type;
        BOOL pushed;
        int corner;    // (0, 0)
        int inside;    // (1, 1)
        int farInside; // (width - 2, height - 2)
    };
    const Case cases[] = {{BS_PUSHBUTTON, FALSE, COLOR_3DHIGHLIGHT, COLOR_3DLIGHT, COLOR_3DSHADOW},
                          {BS_DEFPUSHBUTTON, FALSE, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW},
                          {BS_PUSHBUTTON, TRUE, COLOR_3DDKSHADOW, COLOR_3DSHADOW, COLOR_3DSHADOW}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " pushed " << c.pushed);
        const HWND button = Add(WC_BUTTONW, c.type, {10, 10, 90, 34}, u"Save");
        SendMessageW(button, BM_SETSTATE, c.pushed, 0);
        const RECT r = Where(button);
        const Picture picture(parent_);
        EXPECT_EQ(picture.At(r.left, r.top), GetSysColor(c.corner));
        EXPECT_EQ(picture.At(r.left + 1, r.top + 1), GetSysColor(c.inside));
        EXPECT_EQ(picture.At(r.right - 2, r.bottom - 2), GetSysColor(c.farInside));
        EXPECT_GT(picture.Dark(Inset(r, 4)), 10u);
        DestroyWindow(button);
    }
}

// Check boxes and radio buttons show a 13-pixel mark at the left, centred
// on their height, and their text beside it. A radio button's mark is a
// circle, so its corners keep what lies beneath, with a dark dot at the
// centre when checked; a check box's is a square with a tick when checked.
TEST_F(WinControlPaintTest, RadioButtonsAreCirclesWithADotAndCheckBoxesSquaresWithATick) {
    struct Case {
        DWORD type;
        UINT check;
        bool round;
        bool marked;
    };
    const Case cases[] = {
        {BS_AUTORADIOBUTTON, BST_UNCHECKED, true, false}, {BS_AUTORADIOBUTTON, BST_CHECKED, true, true},
        {BS_RADIOBUTTON, BST_CHECKED, true, true},        {BS_AUTOCHECKBOX, BST_UNCHECKED, false, false},
        {BS_AUTOCHECKBOX, BST_CHECKED, false, true},      {BS_3STATE, BST_CHECKED, false, true}};
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " check " << c.check);
        const HWND button = Add(WC_BUTTONW, c.type, {10, 10, 150, 27}, u"Landscape");
        SendMessageW(button, BM_SETCHECK, c.check, 0);
        const RECT r = Where(button);
        const LONG top = r.top + (r.bottom - r.top - 13) / 2;
        const RECT mark{r.left, top, r.left + 13, top + 13};
        const Picture picture(parent_);
        EXPECT_EQ(picture.At(mark.left, mark.top) == face, c.round);
        EXPECT_EQ(picture.At(mark.right - 1, mark.bottom - 1) == face, c.round);
        EXPECT_EQ(picture.Dark(Inset(mark, c.round ? 4 : 2)) > 0, c.marked);
        EXPECT_GT(picture.Dark({mark.right + 1, r.top, r.right, r.bottom}), 10u);
        DestroyWindow(button);
    }
}

// A group box is an etched frame whose top line runs through the middle of
// the title and is broken where the title stands; it draws nothing inside.
TEST_F(WinControlPaintTest, AGroupBoxShowsItsTitleInAGapOfItsFrame) {
    const HWND group = Add(WC_BUTTONW, BS_GROUPBOX, {10, 10, 200, 100}, u"Orientation");
    const RECT r = Where(group);
    const Picture picture(parent_);
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    LONG line = r.top; // the top line: where the left edge begins
    while (line < r.bottom && picture.At(r.left, line) != shadow)
        ++line;
    ASSERT_GT(line, r.top + 2);
    ASSERT_LT(line, r.top + 12);
    EXPECT_EQ(picture.At(r.right - 6, line), shadow);
    EXPECT_EQ(picture.Count({r.left + 12, line, r.left + 40, line + 2}, shadow), 0u);
    const LONG titleBottom = 2 * line - r.top + 2;
    EXPECT_GT(picture.Dark({r.left + 6, r.top, r.left + 90, titleBottom}), 20u);
    const RECT inside{r.left + 4, titleBottom, r.right - 4, r.bottom - 4};
    EXPECT_EQ(picture.Count(inside, GetSysColor(COLOR_BTNFACE)),
              static_cast<size_t>((inside.right - inside.left) * (inside.bottom - inside.top)));
}

// Edits are sunken (shadow, then dark shadow at the top left), on the
// window colour, or the face colour when read-only or disabled, with
// their text where their alignment puts it.
TEST_F(WinControlPaintTest, EditsAreSunkenWithTheirTextOnTheirBackground) {
    struct Case {
        DWORD style;
        int background;
        bool textRight;
    };
    const Case cases[] = {{0, COLOR_WINDOW, false},
                          {ES_RIGHT, COLOR_WINDOW, true},
                          {ES_READONLY, COLOR_BTNFACE, false},
                          {WS_DISABLED, COLOR_BTNFACE, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        const HWND edit = Add(WC_EDITW, WS_BORDER | c.style, {10, 10, 110, 32}, u"42");
        const RECT r = Where(edit);
        const Picture picture(parent_);
        EXPECT_EQ(picture.At(r.left, r.top), GetSysColor(COLOR_3DSHADOW));
        EXPECT_EQ(picture.At(r.left + 1, r.top + 1), GetSysColor(COLOR_3DDKSHADOW));
        EXPECT_EQ(picture.At(r.right - 1, r.bottom - 1), GetSysColor(COLOR_3DHIGHLIGHT));
        EXPECT_EQ(picture.At(r.left + 2, r.top + 2), GetSysColor(c.background));
        const LONG middle = (r.left + r.right) / 2;
        const size_t left = picture.Dark({r.left + 3, r.top + 3, middle, r.bottom - 3});
        const size_t right = picture.Dark({middle, r.top + 3, r.right - 3, r.bottom - 3});
        if (c.background == COLOR_WINDOW) {
            EXPECT_GT(c.textRight ? right : left, 10u);
        }
        EXPECT_EQ(c.textRight ? left : right, 0u);
        DestroyWindow(edit);
    }
}

// A closed combo box shows a sunken field with its text (a drop-down list's
// selected item, a drop-down's edit text) and a raised drop button at the
// right with an arrow pointing down.
TEST_F(WinControlPaintTest, ComboBoxesShowTheirTextAndADropButton) {
    struct Case {
        DWORD type;
        LONG_PTR selection;
        const char16_t* edited;
        bool text;
    };
    const Case cases[] = {{CBS_DROPDOWNLIST, 1, nullptr, true},
                          {CBS_DROPDOWNLIST, -1, nullptr, false},
                          {CBS_DROPDOWN, -1, u"Custom", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.selection);
        const HWND combo = Add(WC_COMBOBOXW, c.type, {10, 10, 160, 120});
        for (const char16_t* item : {u"Letter", u"Legal"})
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(c.selection), 0);
        if (c.edited != nullptr) SetWindowTextW(combo, c.edited);
        const RECT r = Where(combo);
        const Picture picture(parent_);
        EXPECT_EQ(picture.At(r.left + 1, r.top + 1), GetSysColor(COLOR_3DDKSHADOW));
        const RECT button{r.right - 18, r.top + 2, r.right - 2, r.bottom - 2};
        EXPECT_EQ(picture.At(button.left, button.top), GetSysColor(COLOR_3DHIGHLIGHT));
        EXPECT_EQ(picture.At(button.right - 1, button.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
        const std::vector<size_t> arrow = picture.DarkRows(Inset(button, 2));
        ASSERT_GE(arrow.size(), 2u);
        EXPECT_GT(arrow.front(), arrow.back());
        EXPECT_EQ(picture.Dark({r.left + 3, r.top + 3, button.left - 1, r.bottom - 3}) > 10, c.text);
        DestroyWindow(combo);
    }
}

// A list box shows its items from the top one down, each in its item
// rectangle; the selected one on the highlight colour.
TEST_F(WinControlPaintTest, AListBoxHighlightsItsSelectedRow) {
    const HWND list = Add(WC_LISTBOXW, WS_BORDER, {10, 10, 130, 90});
    for (const char16_t* item : {u"Tray 1", u"Tray 2", u"Tray 3"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    const RECT r = Where(list);
    const Picture picture(parent_);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    for (LONG_PTR item = 0; item < 3; ++item) {
        SCOPED_TRACE(item);
        RECT row{};
        ASSERT_NE(
            SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&row)),
            LB_ERR);
        OffsetRect(&row, r.left, r.top);
        const size_t area = static_cast<size_t>((row.right - row.left) * (row.bottom - row.top));
        const size_t lit = picture.Count(row, highlight);
        if (item == 1) {
            EXPECT_GT(lit, area / 2);
            EXPECT_GT(picture.Light(row), 10u);
        } else {
            EXPECT_EQ(lit, 0u);
            EXPECT_GT(picture.Dark(row), 10u);
        }
    }
    RECT none{};
    EXPECT_EQ(SendMessageW(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&none)), LB_ERR);
}

// Owner-drawn list boxes leave their items to the owner: one WM_DRAWITEM
// per visible item, with its rectangle and ODS_SELECTED for the selection.
TEST_F(WinControlPaintTest, AnOwnerDrawnListBoxHasItsOwnerPaintEachItem) {
    OwnerDraw() = [](const DRAWITEMSTRUCT& draw) {
        HBRUSH brush =
            CreateSolidBrush((draw.itemState & ODS_SELECTED) != 0 ? RGB(0, 0, 255) : RGB(0, 200, 0));
        FillRect(draw.hDC, &draw.rcItem, brush);
        DeleteObject(brush);
    };
    const HWND list = Add(WC_LISTBOXW, WS_BORDER | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, {10, 10, 130, 90});
    for (const char16_t* item : {u"A", u"B"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    const RECT r = Where(list);
    const Picture picture(parent_);
    const COLORREF expected[] = {RGB(0, 0, 255), RGB(0, 200, 0)};
    for (WPARAM item = 0; item < 2; ++item) {
        RECT row{};
        ASSERT_NE(SendMessageW(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&row)), LB_ERR);
        EXPECT_EQ(picture.At(r.left + (row.left + row.right) / 2, r.top + (row.top + row.bottom) / 2),
                  expected[item]);
    }
}

// A scroll bar's arrow buttons are raised squares at its ends, each with an
// arrow pointing outward.
TEST_F(WinControlPaintTest, AScrollBarShowsAnArrowPointingOutwardAtEachEnd) {
    struct Case {
        DWORD style;
        RECT rect;
    };
    const Case cases[] = {{SBS_HORZ, {10, 10, 170, 26}}, {SBS_VERT, {10, 10, 26, 170}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        const HWND bar = Add(WC_SCROLLBARW, c.style, c.rect);
        const RECT r = Where(bar);
        const bool vertical = c.style == SBS_VERT;
        const LONG thickness = vertical ? r.right - r.left : r.bottom - r.top;
        const RECT first = vertical ? RECT{r.left, r.top, r.right, r.top + thickness}
                                    : RECT{r.left, r.top, r.left + thickness, r.bottom};
        const RECT last = vertical ? RECT{r.left, r.bottom - thickness, r.right, r.bottom}
                                   : RECT{r.right - thickness, r.top, r.right, r.bottom};
        const Picture picture(parent_);
        EXPECT_EQ(picture.At(first.left, first.top), GetSysColor(COLOR_3DHIGHLIGHT));
        EXPECT_EQ(picture.At(last.right - 1, last.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
        const auto profile = [&](RECT button) {
            return vertical ? picture.DarkRows(Inset(button, 2)) : picture.DarkColumns(Inset(button, 2));
        };
        const std::vector<size_t> toFirst = profile(first), toLast = profile(last);
        ASSERT_GE(toFirst.size(), 2u);
        ASSERT_GE(toLast.size(), 2u);
        EXPECT_LT(toFirst.front(), toFirst.back());
        EXPECT_GT(toLast.front(), toLast.back());
        DestroyWindow(bar);
    }
}

// A track bar's thumb stands over the channel where its position puts it,
// from the channel's start at the minimum to its end at the maximum.
TEST_F(WinControlPaintTest, ATrackBarsThumbFollowsItsPosition) {
    const HWND bar = Add(TRACKBAR_CLASSW, TBS_HORZ, {10, 10, 210, 42});
    SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    const RECT r = Where(bar);
    const COLORREF highlight = GetSysColor(COLOR_3DHIGHLIGHT);
    // The thumb's top edge: the first row with highlight pixels, the
    // channel lying lower down.
    const auto thumbCentre = [&](int position) {
        SendMessageW(bar, TBM_SETPOS, TRUE, position);
        const Picture picture(parent_);
        for (LONG y = r.top; y < r.bottom; ++y) {
            LONG sum = 0, count = 0;
            for (LONG x = r.left; x < r.right; ++x)
                if (picture.At(x, y) == highlight) {
                    sum += x;
                    ++count;
                }
            if (count > 0) return sum / count;
        }
        return LONG{-1};
    };
    const LONG low = thumbCentre(0), middle = thumbCentre(5), high = thumbCentre(10);
    EXPECT_GT(low, r.left);
    EXPECT_LT(low, middle);
    EXPECT_NEAR(middle, (r.left + r.right) / 2, 2);
    EXPECT_LT(middle, high);
    EXPECT_LT(high, r.right);
}

// Ticks (in the text colour, which nothing else of a track bar uses) mark
// the first and last position, every position with TBS_AUTOTICKS, every
// second with a frequency of 2, and none with TBS_NOTICKS.
TEST_F(WinControlPaintTest, ATrackBarMarksItsPositionsWithTicks) {
    struct Case {
        DWORD style;
        WPARAM frequency;
        size_t ticks;
    };
    const Case cases[] = {{TBS_HORZ, 0, 2},    {TBS_AUTOTICKS, 0, 5}, {TBS_AUTOTICKS, 2, 3},
                          {TBS_NOTICKS, 0, 0}, {TBS_VERT, 0, 2},      {TBS_VERT | TBS_AUTOTICKS, 0, 5}};
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.style << " every " << c.frequency);
        const bool vertical = (c.style & TBS_VERT) != 0;
        const HWND bar =
            Add(TRACKBAR_CLASSW, c.style, vertical ? RECT{10, 10, 42, 210} : RECT{10, 10, 210, 42});
        SendMessageW(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 4));
        SendMessageW(bar, TBM_SETPOS, TRUE, 2);
        if (c.frequency != 0) SendMessageW(bar, TBM_SETTICFREQ, c.frequency, 0);
        const RECT r = Where(bar);
        const Picture picture(parent_);
        // Runs of lines across the bar that hold tick pixels.
        size_t runs = 0;
        bool inRun = false;
        const LONG length = vertical ? r.bottom - r.top : r.right - r.left;
        for (LONG along = 0; along < length; ++along) {
            const RECT line = vertical ? RECT{r.left, r.top + along, r.right, r.top + along + 1}
                                       : RECT{r.left + along, r.top, r.left + along + 1, r.bottom};
            const bool tick = picture.Count(line, ink) > 0;
            runs += tick && !inRun ? 1 : 0;
            inRun = tick;
        }
        EXPECT_EQ(runs, c.ticks);
        DestroyWindow(bar);
    }
}

// Rectangles are filled with their colour; frames draw a one-pixel border in
// it and leave what lies beneath inside; an etched frame is shadow outside
// and highlight inside.
TEST_F(WinControlPaintTest, StaticRectanglesAndFramesShowTheirColours) {
    struct Case {
        DWORD type;
        int border; // at the top left corner
        int inner;  // one pixel in
        int middle; // at the centre
    };
    const Case cases[] = {{SS_BLACKRECT, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME},
                          {SS_GRAYRECT, COLOR_BACKGROUND, COLOR_BACKGROUND, COLOR_BACKGROUND},
                          {SS_WHITERECT, COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOW},
                          {SS_BLACKFRAME, COLOR_WINDOWFRAME, COLOR_BTNFACE, COLOR_BTNFACE},
                          {SS_GRAYFRAME, COLOR_BACKGROUND, COLOR_BTNFACE, COLOR_BTNFACE},
                          {SS_WHITEFRAME, COLOR_WINDOW, COLOR_BTNFACE, COLOR_BTNFACE},
                          {SS_ETCHEDFRAME, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_BTNFACE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const HWND frame = Add(WC_STATICW, c.type, {10, 10, 70, 50});
        const RECT r = Where(frame);
        const Picture picture(parent_);
        EXPECT_EQ(picture.At(r.left, r.top), GetSysColor(c.border));
        EXPECT_EQ(picture.At(r.right - 1, r.bottom - 1),
                  GetSysColor(c.type == SS_ETCHEDFRAME ? COLOR_3DHIGHLIGHT : c.border));
        EXPECT_EQ(picture.At(r.left + 1, r.top + 1), GetSysColor(c.inner));
        EXPECT_EQ(picture.At((r.left + r.right) / 2, (r.top + r.bottom) / 2), GetSysColor(c.middle));
        DestroyWindow(frame);
    }
}

// A bitmap static takes the size of the bitmap STM_SETIMAGE gives it and
// shows it at its corner; with SS_CENTERIMAGE it keeps its size and
// centres the bitmap. STM_SETIMAGE answers the bitmap before.
TEST_F(WinControlPaintTest, ABitmapStaticShowsItsBitmap) {
    const std::vector<std::vector<COLORREF>> colours = {
        {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
        {RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255)}};
    HBITMAP bitmap = MakeBitmap(colours);
    for (DWORD centred : {DWORD{0}, SS_CENTERIMAGE}) {
        SCOPED_TRACE(centred);
        const HWND picture = Add(WC_STATICW, SS_BITMAP | centred, {10, 10, 41, 30});
        EXPECT_EQ(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
        EXPECT_EQ(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(bitmap));
        const RECT r = Where(picture);
        const POINT corner = centred != 0 ? POINT{r.left + 14, r.top + 9} : POINT{r.left, r.top};
        EXPECT_EQ(r.right - r.left, centred != 0 ? 31 : 3);
        EXPECT_EQ(r.bottom - r.top, centred != 0 ? 20 : 2);
        const Picture rendered(parent_);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(rendered.At(corner.x + x, corner.y + y), colours[y][x]) << x << "," << y;
        DestroyWindow(picture);
    }
    DeleteObject(bitmap);
}

// An owner-drawn static is painted by its parent: WM_DRAWITEM with
// ODT_STATIC and the static's client rectangle.
TEST_F(WinControlPaintTest, AnOwnerDrawnStaticIsPaintedByItsOwner) {
    UINT type = 0;
    OwnerDraw() = [&type](const DRAWITEMSTRUCT& draw) {
        type = draw.CtlType;
        HBRUSH brush = CreateSolidBrush(RGB(0, 128, 255));
        FillRect(draw.hDC, &draw.rcItem, brush);
        DeleteObject(brush);
    };
    const HWND preview = Add(WC_STATICW, SS_OWNERDRAW, {20, 20, 120, 90});
    const RECT r = Where(preview);
    const Picture picture(parent_);
    EXPECT_EQ(type, ODT_STATIC);
    EXPECT_EQ(picture.At(r.left, r.top), RGB(0, 128, 255));
    EXPECT_EQ(picture.At(r.right - 1, r.bottom - 1), RGB(0, 128, 255));
    EXPECT_EQ(picture.At(r.right, r.bottom), GetSysColor(COLOR_BTNFACE));
}

// A bitmap static titled "#<number>" shows that bitmap of its module.
TEST_F(WinControlPaintTest, ABitmapStaticTitledWithANumberShowsThatBitmapOfItsModule) {
    WinHostStore::Instance().AddModuleFolder(QV_TEST_MODULE_DIR);
    WinScopedModule module(LoadLibraryW(u"QVDIALOGS.DLL"));
    ASSERT_TRUE(module);
    HBITMAP expected = LoadBitmapW(module.Get(), MAKEINTRESOURCEW(500));
    ASSERT_NE(expected, nullptr);
    BITMAP size{};
    ASSERT_NE(GetObjectW(expected, sizeof size, &size), 0);
    const HWND picture = Add(WC_STATICW, SS_BITMAP, {10, 10, 60, 60}, u"#500", module.Get());
    const RECT r = Where(picture);
    EXPECT_EQ(r.right - r.left, size.bmWidth);
    EXPECT_EQ(r.bottom - r.top, size.bmHeight);
    const Picture rendered(parent_);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, expected);
    for (LONG y = 0; y < size.bmHeight; ++y)
        for (LONG x = 0; x < size.bmWidth; ++x)
            EXPECT_EQ(rendered.At(r.left + x, r.top + y), GetPixel(dc, x, y)) << x << "," << y;
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(expected);
    DestroyWindow(picture);
}

// An icon static takes its icon's size and shows the icon's picture where
// the mask is black and what lies beneath where the mask is white.
TEST_F(WinControlPaintTest, AnIconStaticShowsItsIconOverWhatLiesBeneath) {
    const COLORREF blue = RGB(0, 0, 255), black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    ICONINFO info{TRUE, 0, 0, MakeBitmap({{black, black, white, white}, {black, black, white, white}}),
                  MakeBitmap({{blue, blue, black, black}, {blue, blue, black, black}})};
    const HICON icon = CreateIconIndirect(&info);
    ASSERT_NE(icon, nullptr);
    DeleteObject(info.hbmMask); // the icon keeps copies
    DeleteObject(info.hbmColor);
    const HWND picture = Add(WC_STATICW, SS_ICON, {10, 10, 60, 60});
    EXPECT_EQ(SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0), 0);
    EXPECT_EQ(SendMessageW(picture, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(icon));
    const RECT r = Where(picture);
    EXPECT_EQ(r.right - r.left, 4);
    EXPECT_EQ(r.bottom - r.top, 2);
    const Picture rendered(parent_);
    for (LONG y = 0; y < 2; ++y) {
        EXPECT_EQ(rendered.At(r.left + 1, r.top + y), blue);
        EXPECT_EQ(rendered.At(r.left + 2, r.top + y), GetSysColor(COLOR_BTNFACE));
    }
    DestroyWindow(picture);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
}
} // namespace
