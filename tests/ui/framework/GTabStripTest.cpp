// The owner-drawn tab strip on the Hebrew double's dialog 100 (control
// 1100): its tabs and geometry, the selection by keys and clicks, and what
// it paints.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/winapi/PngReader.h"
#include "ui/framework/GTabStrip.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinWindow.h"
#include "winapi/host/WinUiDriver.h"

namespace {
constexpr int kStripId = 1100;

// The dialog's state: the strip, and what each click on it answered.
struct StripDialog {
    GTabStrip strip;
    std::vector<int32_t> clicks;

    static INT_PTR Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            return TRUE;
        }
        auto* self = reinterpret_cast<StripDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (self == nullptr) return FALSE;
        if (message == WM_DRAWITEM) {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            self->strip.DrawItem(*item, (item->itemState & ODS_FOCUS) != 0);
            return TRUE;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == kStripId && HIWORD(wParam) == BN_CLICKED) {
            self->clicks.push_back(self->strip.OnClick());
            return TRUE;
        }
        return FALSE;
    }
};

// The extent of a text in the strip's font on the control's DC.
SIZE GuiFontExtent(HWND control, const std::u16string& text) {
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size;
}

// The pixels of a bitmap the test driver drew.
class Picture {
public:
    explicit Picture(HBITMAP bitmap) : bitmap_(bitmap), dc_(CreateCompatibleDC(nullptr)) {
        SelectObject(dc_, bitmap_);
    }
    ~Picture() {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    COLORREF At(LONG x, LONG y) const { return GetPixel(dc_, x, y); }

private:
    HBITMAP bitmap_;
    HDC dc_;
};

class GTabStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterResourceLibraries();
        ASSERT_EQ(LoadResourceLibrary(kHebrewResourceLibrary), 1);
        dialog_ = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(100), nullptr,
                                     &StripDialog::Procedure, reinterpret_cast<LPARAM>(&state_));
        ASSERT_NE(dialog_, nullptr);
        ShowWindow(dialog_, SW_SHOW);
        control_ = GetDlgItem(dialog_, kStripId);
        state_.strip.Attach(dialog_, kStripId);
    }
    void TearDown() override {
        DestroyWindow(dialog_);
        ReleaseResourceLibrary();
    }
    GTabStrip& Strip() { return state_.strip; }
    void AddTabs(std::initializer_list<const char16_t*> titles) {
        for (const char16_t* title : titles)
            Strip().AddTab(title);
    }

    StripDialog state_;
    HWND dialog_ = nullptr;
    HWND control_ = nullptr;
};

TEST_F(GTabStripTest, FiveTabsAreAddedAndASixthIsNot) {
    for (int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(Strip().AddTab(RWWString(u"Tab ") + RWWString(static_cast<char16_t>(u'1' + i))), i);
    EXPECT_EQ(Strip().AddTab(u"Sixth"), -1);
    EXPECT_EQ(Strip().GetCount(), 5);
    RWWString title;
    EXPECT_TRUE(Strip().GetTitle(4, title));
    EXPECT_EQ(title, RWWString(u"Tab 5"));
    EXPECT_FALSE(Strip().GetTitle(5, title));
    EXPECT_TRUE(title.IsNull());
    EXPECT_EQ(Strip().GetCurrent(), 0);
}

TEST_F(GTabStripTest, TabsAreAsWideAsTheirTitleAndFourBlanksAtLeast42AndTheCurrentStandsRaised) {
    const std::u16string wide = u"Photographs and Graphics";
    AddTabs({u"A", wide.c_str(), u"B"});
    const LONG wideWidth = GuiFontExtent(control_, wide).cx + GuiFontExtent(control_, u"    ").cx;
    ASSERT_GT(wideWidth, GTabStrip::kMinimumTabWidth);
    const LONG height = GuiFontExtent(control_, u"Ag").cy * 3 / 2 + 2;
    EXPECT_EQ(Strip().GetTabHeight(), height);
    Strip().SetCurrent(1);
    struct Expected {
        LONG left, top, right;
    };
    // Tab 1 is current: raised to the top, 2 wider on each side.
    const Expected expected[] = {
        {2, 2, 2 + 42}, {42, 0, 42 + wideWidth + 4}, {42 + wideWidth + 2, 2, 42 + wideWidth + 2 + 42}};
    for (uint16_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const RECT tab = Strip().GetTabRect(i);
        EXPECT_EQ(tab.left, expected[i].left);
        EXPECT_EQ(tab.top, expected[i].top);
        EXPECT_EQ(tab.right, expected[i].right);
        EXPECT_EQ(tab.bottom, height);
    }
    const RECT none = Strip().GetTabRect(3);
    EXPECT_TRUE(IsRectEmpty(&none));
}

TEST_F(GTabStripTest, TheSelectionStaysWithinTheTabsAndEachMoveRepaints) {
    AddTabs({u"Text", u"Graphics", u"Photos"});
    struct Step {
        char action;
        uint16_t argument;
        uint16_t current;
    };
    const Step steps[] = {{'p', 0, 0}, {'n', 0, 1}, {'n', 0, 2}, {'n', 0, 2},
                          {'s', 7, 2}, {'s', 0, 0}, {'p', 0, 0}, {'s', 1, 1}};
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.action << step.argument);
        const int before = WinUiDriver::Invalidations(control_);
        if (step.action == 'n') Strip().Next();
        if (step.action == 'p') Strip().Previous();
        if (step.action == 's') Strip().SetCurrent(step.argument);
        EXPECT_EQ(Strip().GetCurrent(), step.current);
        EXPECT_EQ(WinUiDriver::Invalidations(control_) > before, step.argument < 3);
    }
}

TEST_F(GTabStripTest, AClickSelectsTheTabUnderTheCursor) {
    AddTabs({u"Text", u"Graphics", u"Photos"});
    const RECT second = Strip().GetTabRect(1);
    ASSERT_TRUE(WinUiDriver::ClickAt(control_, (second.left + second.right) / 2, 5));
    EXPECT_EQ(Strip().GetCurrent(), 1);
    // The raised tab covers its neighbour's first two pixels.
    const RECT third = Strip().GetTabRect(2);
    ASSERT_TRUE(WinUiDriver::ClickAt(control_, third.left, 5));
    EXPECT_EQ(Strip().GetCurrent(), 1);
    ASSERT_TRUE(WinUiDriver::ClickAt(control_, third.left + 3, 5));
    EXPECT_EQ(Strip().GetCurrent(), 2);
    // Below the tabs: the body.
    ASSERT_TRUE(WinUiDriver::ClickAt(control_, 5, Strip().GetTabHeight() + 5));
    EXPECT_EQ(Strip().GetCurrent(), 2);
    EXPECT_EQ(state_.clicks, (std::vector<int32_t>{1, 1, 2, -1}));
}

TEST_F(GTabStripTest, TheCurrentTabOpensIntoTheBodyAndAFocusedStripMarksIt) {
    AddTabs({u"Text", u"Graphics", u"Photos"});
    Strip().SetCurrent(1);
    const COLORREF face = GetSysColor(COLOR_3DFACE), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const RECT first = Strip().GetTabRect(0), current = Strip().GetTabRect(1);
    const LONG bodyTop = Strip().GetTabHeight() - 1;
    const LONG firstMiddle = (first.left + first.right) / 2,
               currentMiddle = (current.left + current.right) / 2;
    for (UINT state : {0u, ODS_FOCUS}) {
        SCOPED_TRACE(state);
        const Picture picture(WinUiDriver::DrawItem(dialog_, kStripId, ODA_DRAWENTIRE, state));
        EXPECT_EQ(picture.At(currentMiddle, 0), highlight); // raised top edge
        EXPECT_EQ(picture.At(firstMiddle, 0), face);        // above a lowered tab
        EXPECT_EQ(picture.At(firstMiddle, 2), highlight);   // its top edge
        EXPECT_EQ(picture.At(firstMiddle, bodyTop), highlight);
        EXPECT_EQ(picture.At(currentMiddle, bodyTop), face); // open into the body
        size_t title = 0, focus = 0;
        for (LONG x = current.left + 4; x < current.right - 4; ++x) {
            for (LONG y = current.top + 4; y < bodyTop - 2; ++y)
                title += picture.At(x, y) != face ? 1 : 0;
            focus += picture.At(x, current.top + 3) != face ? 1 : 0;
        }
        EXPECT_GT(title, 10u);
        EXPECT_EQ(focus > 0, state == ODS_FOCUS);
    }
}

TEST_F(GTabStripTest, AThreeTabStripIsWrittenAsAPicture) {
    AddTabs({u"Text", u"Graphics", u"Photos"});
    Strip().SetCurrent(1);
    qvtest::TempFolder folder;
    const std::string path = folder.PicturePath("tab-strip.png");
    ASSERT_TRUE(WinUiDriver::RenderToPng(dialog_, path));
    PngImage image;
    ASSERT_TRUE(ReadPng(path, image));
    RECT client{};
    GetClientRect(dialog_, &client);
    EXPECT_EQ(image.width, static_cast<uint32_t>(client.right));
    EXPECT_EQ(image.height, static_cast<uint32_t>(client.bottom));
    const RECT strip = WinUiDriver::Rect(dialog_, kStripId);
    const RECT current = Strip().GetTabRect(1);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const auto x = static_cast<uint32_t>(strip.left + (current.left + current.right) / 2);
    const auto y = static_cast<uint32_t>(strip.top);
    EXPECT_EQ(image.Red(x, y), GetRValue(highlight));
    EXPECT_EQ(image.Green(x, y), GetGValue(highlight));
    EXPECT_EQ(image.Blue(x, y), GetBValue(highlight));
}

} // namespace
