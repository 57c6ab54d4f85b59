// The colour tab strip on a page: its tabs, the arrow keys its subclassed
// window takes (the tab they choose is written when the strip is redrawn),
// clicks, and the window map: each strip window keeps the procedure it
// had before, whatever other strips were made, until it or its control
// goes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "model/GSettingIds.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/pages/SparePageTestSupport.h"
#include "tests/winapi/PngReader.h"
#include "ui/pages/GChromalistTabsWrapper.h"
#include "winapi/WinWindow.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using sparetest::kStripId;

const GControlHelpPair kStripTable[] = {{kStripId, GWrapper::kNoHelp}, {0, 0}};

// The procedures strip windows had before the strip: each notes the windows
// it was called for, then passes on to the button's own procedure.
WNDPROC g_buttonProcedure = nullptr;
std::vector<std::pair<char, HWND>>* g_calls = nullptr;

template <char Name> LRESULT SpyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_calls != nullptr && (message == WM_KEYDOWN || message == WM_GETDLGCODE))
        g_calls->push_back({Name, window});
    return CallWindowProcW(g_buttonProcedure, window, message, wParam, lParam);
}

INT_PTR PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

class GChromalistTabsWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        GChromalistTabsWrapper::ResetWindowMap();
        g_calls = &calls_;
    }
    void TearDown() override {
        g_calls = nullptr;
        GChromalistTabsWrapper::ResetWindowMap();
    }
    GUIModel* Model() { return sheet_.model.get(); }
    int16_t StoredTab() {
        int16_t tab = -1;
        Model()->RuleLevels().GetValue(GSettingId::kColourTab, tab);
        return tab;
    }
    // A page holding only the strip; its window.
    HWND OpenStripPage(sparetest::SparePage& page) {
        auto wrapper = std::make_unique<GChromalistTabsWrapper>(new GColorTabFeature(Model()), kStripTable);
        wrapper_ = wrapper.get();
        page.Add(std::move(wrapper));
        return page.Open();
    }

    sparetest::SpareLibraries libraries_;
    uitest::ModelPrinterSheet sheet_{"QVCOLOR"};
    GChromalistTabsWrapper* wrapper_ = nullptr;
    std::vector<std::pair<char, HWND>> calls_;
};

TEST_F(GChromalistTabsWrapperTest, TheStripShowsTheThreeKindsAndTheStoredTab) {
    Model()->RuleLevels().SetValue(GSettingId::kColourTab, 2);
    sparetest::SparePage page(Model(), libraries_.Spare());
    OpenStripPage(page);
    const char16_t* titles[] = {u"Text", u"Graphics", u"Photos"};
    ASSERT_EQ(wrapper_->Strip().GetCount(), 3);
    for (uint16_t i = 0; i < 3; ++i) {
        RWWString title;
        EXPECT_TRUE(wrapper_->Strip().GetTitle(i, title));
        EXPECT_EQ(title, RWWString(titles[i]));
    }
    EXPECT_EQ(wrapper_->Strip().GetCurrent(), 2);
}

TEST_F(GChromalistTabsWrapperTest, TheFeatureAddsTheTabAsTextWhenMissing) {
    EXPECT_EQ(Model()->FindUIStateAttribute(GSettingId::kColourTab), nullptr);
    GColorTabFeature feature(Model());
    EXPECT_EQ(StoredTab(), 0);
    EXPECT_EQ(feature.SetValue(1), 1);
    EXPECT_EQ(StoredTab(), 1);
    GColorTabFeature again(Model());
    EXPECT_EQ(again.GetValue(), 1);
}

TEST_F(GChromalistTabsWrapperTest, ArrowKeysMoveTheTabWithinTheStripAndARedrawWritesIt) {
    sparetest::SparePage page(Model(), libraries_.Spare());
    HWND dialog = OpenStripPage(page);
    HWND strip = GetDlgItem(dialog, kStripId);
    EXPECT_NE(SendMessageW(strip, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);
    const struct {
        WPARAM key;
        uint16_t tab;
    } steps[] = {{VK_RIGHT, 1}, {VK_RIGHT, 2}, {VK_RIGHT, 2}, {VK_LEFT, 1},
                 {VK_LEFT, 0},  {VK_LEFT, 0},  {VK_RIGHT, 1}};
    int16_t stored = StoredTab();
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << (step.key == VK_LEFT ? "left to " : "right to ") << step.tab);
        ASSERT_TRUE(WinUiDriver::Key(dialog, kStripId, step.key));
        EXPECT_EQ(wrapper_->Strip().GetCurrent(), step.tab);
        EXPECT_EQ(StoredTab(), stored) << "written only when drawn";
        DeleteObject(WinUiDriver::DrawItem(dialog, kStripId));
        stored = StoredTab();
        EXPECT_EQ(stored, step.tab);
    }
}

TEST_F(GChromalistTabsWrapperTest, AClickOnATabWritesIt) {
    sparetest::SparePage page(Model(), libraries_.Spare());
    HWND dialog = OpenStripPage(page);
    const RECT third = wrapper_->Strip().GetTabRect(2);
    ASSERT_TRUE(WinUiDriver::ClickAt(GetDlgItem(dialog, kStripId), third.left + 5, 5));
    EXPECT_EQ(StoredTab(), 2);
    const RECT first = wrapper_->Strip().GetTabRect(0);
    ASSERT_TRUE(WinUiDriver::ClickAt(GetDlgItem(dialog, kStripId), first.left + 5, 5));
    EXPECT_EQ(StoredTab(), 0);
}

TEST_F(GChromalistTabsWrapperTest, TwoStripsKeepTheirOwnPreviousProceduresAfterOneGoes) {
    // Two dialogs whose strip windows each have a procedure of their own
    // before their strip control subclasses them.
    HWND dialogs[2] = {};
    HWND strips[2] = {};
    const WNDPROC spies[2] = {&SpyProcedure<'a'>, &SpyProcedure<'b'>};
    std::unique_ptr<GChromalistTabsWrapper> wrappers[2];
    for (int i = 0; i < 2; ++i) {
        dialogs[i] = CreateDialogParamW(libraries_.Spare(), MAKEINTRESOURCEW(sparetest::kSpareTemplate),
                                        nullptr, &PlainDialogProc, 0);
        ASSERT_NE(dialogs[i], nullptr);
        strips[i] = GetDlgItem(dialogs[i], kStripId);
        g_buttonProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(strips[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(spies[i])));
        wrappers[i] = std::make_unique<GChromalistTabsWrapper>(new GColorTabFeature(Model()), kStripTable);
        wrappers[i]->Attach(dialogs[i]);
    }
    EXPECT_EQ(GChromalistTabsWrapper::SubclassedWindowCount(), 2u);
    const auto keyBoth = [&] {
        calls_.clear();
        for (HWND strip : strips)
            if (IsWindow(strip)) SendMessageW(strip, WM_KEYDOWN, VK_RIGHT, 0);
    };
    keyBoth();
    EXPECT_EQ(calls_, (std::vector<std::pair<char, HWND>>{{'a', strips[0]}, {'b', strips[1]}}));
    EXPECT_EQ(wrappers[0]->Strip().GetCurrent(), 1);
    EXPECT_EQ(wrappers[1]->Strip().GetCurrent(), 1);

    // The first control goes while its window stays: the window has its
    // own procedure back; the second strip is untouched.
    wrappers[0].reset();
    EXPECT_EQ(GetWindowLongPtrW(strips[0], GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(spies[0]));
    EXPECT_EQ(GChromalistTabsWrapper::SubclassedWindowCount(), 1u);
    keyBoth();
    EXPECT_EQ(calls_, (std::vector<std::pair<char, HWND>>{{'a', strips[0]}, {'b', strips[1]}}));
    EXPECT_EQ(wrappers[1]->Strip().GetCurrent(), 2);

    // The second window goes before its control: its entry goes with it.
    DestroyWindow(dialogs[1]);
    EXPECT_EQ(GChromalistTabsWrapper::SubclassedWindowCount(), 0u);
    wrappers[1].reset();
    DestroyWindow(dialogs[0]);
}

TEST_F(GChromalistTabsWrapperTest, ThePageIsWrittenAsAPicture) {
    Model()->RuleLevels().SetValue(GSettingId::kColourTab, 1);
    sparetest::SparePage page(Model(), libraries_.Spare());
    HWND dialog = OpenStripPage(page);
    qvtest::TempFolder folder;
    const std::string path = folder.PicturePath("colour-tab-strip.png");
    ASSERT_TRUE(WinUiDriver::RenderToPng(dialog, path));
    PngImage image;
    ASSERT_TRUE(ReadPng(path, image));
    // The current tab (graphics) stands raised to the strip's top edge.
    const RECT strip = WinUiDriver::Rect(dialog, kStripId);
    const RECT current = wrapper_->Strip().GetTabRect(1);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const auto x = static_cast<uint32_t>(strip.left + (current.left + current.right) / 2);
    const auto y = static_cast<uint32_t>(strip.top);
    EXPECT_EQ(image.Red(x, y), GetRValue(highlight));
    EXPECT_EQ(image.Green(x, y), GetGValue(highlight));
    EXPECT_EQ(image.Blue(x, y), GetBValue(highlight));
}

} // namespace
