// Pictures of the controls: each test puts a few controls on a plain parent
// window, renders the parent as the host's pictures do and reads pixels at
// the points where the classic look puts its marks.
#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <vector>

#include "winapi/WinControls.h"
#include "winapi/WinGdiDraw.h"
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
    HWND Add(const char16_t* className, DWORD style, RECT r, const char16_t* text = u"") {
        const HWND control =
            CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, parent_,
                            reinterpret_cast<HMENU>(static_cast<uintptr_t>(++lastId_)), nullptr, nullptr);
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
} // namespace
