// The timed notice dialog over the driver's resource module: its texts, the
// state word the "do not show" box gives, and closing by itself when its
// time is up.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/framework/GTimedDialog.h"
#include "winapi/WinControls.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinHelp.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {

class GTimedDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().Reset();
        WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
    }
    void TearDown() override { WinHostStore::Instance().Reset(); }
};

TEST_F(GTimedDialogTest, TheNoticeShowsItsTextsAndTheBoxTicksTheStateToZero) {
    GTimedDialog dialog(11540, 10, u"QV Colour Laser", u"LPT1:", u"ANN", u"QVUIRES.DLL", u"Room 4");
    dialog.SetJobName(u"Q3 report");
    std::u16string seen;
    WinUiDriver::QueueDialogScript(
        11540, {WinUiActions::Do("read",
                                 [&seen](HWND target) {
                                     for (int id : {11541, 11544, 11542, 11545, 11546, 11543})
                                         seen += WinUiDriver::Text(target, id) + u"|";
                                     return true;
                                 }),
                WinUiActions::Click(GTimedDialog::kDontShowId), WinUiActions::Click(IDOK)});
    EXPECT_EQ(dialog.Show(u"QVUIRES.DLL"), IDOK);
    EXPECT_EQ(seen, u"QV Colour Laser|LPT1:|ANN|QVUIRES.DLL|Room 4|Q3 report|");
    EXPECT_EQ(dialog.GetState(), 0u);
}

TEST_F(GTimedDialogTest, ClosedWithoutTheBoxTheStateStaysOne) {
    GTimedDialog dialog(11540, 10, u"P", u"LPT1:", u"ANN", u"QVUIRES.DLL", u"");
    // No script: the user presses Escape.
    EXPECT_EQ(dialog.Show(u"QVUIRES.DLL"), IDCANCEL);
    EXPECT_EQ(dialog.GetState(), 1u);
}

TEST_F(GTimedDialogTest, TheNoticeClosesItselfWhenItsSecondsHavePassed) {
    GTimedDialog dialog(11540, 10, u"P", u"LPT1:", u"ANN", u"QVUIRES.DLL", u"");
    bool stillOpen = false;
    WinUiDriver::QueueDialogScript(11540,
                                   {WinUiActions::Wait(9999),
                                    WinUiActions::Do("open?",
                                                     [&stillOpen](HWND target) {
                                                         stillOpen = IsWindow(target) != FALSE;
                                                         return true;
                                                     }),
                                    WinUiActions::Wait(1), WinUiActions::Click(GTimedDialog::kDontShowId)});
    EXPECT_EQ(dialog.Show(u"QVUIRES.DLL"), IDOK);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dialog.GetState(), 1u); // closed before the box could be ticked
}

TEST_F(GTimedDialogTest, WithoutTheModuleNothingIsShown) {
    GTimedDialog dialog(11540, 10, u"P", u"LPT1:", u"ANN", u"NOSUCH.DLL", u"");
    EXPECT_EQ(dialog.Show(u"NOSUCH.DLL"), -1);
    EXPECT_EQ(dialog.Show(u""), -1);
    EXPECT_EQ(dialog.GetState(), 1u);
}

} // namespace

// The same dialog as a sub-dialog of a sheet (DIALOGS.DLL's dialog 310):
// its show setting, its time-out on the layer's clock, and the box that
// writes the setting off.
namespace {

constexpr WORD kTimedTemplate = 310;
constexpr uint32_t kShowSetting = 253;

class GTimedSubDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterResourceLibraries();
        library_ = std::make_unique<HeldResourceLibrary>(kDialogsResourceLibrary);
        ASSERT_EQ(library_->Loaded(), 1);
    }

    // Runs the timed dialog of a sheet whose show setting is show.
    INT_PTR Run(int16_t show, uint16_t seconds, WinUiScript script) {
        sheet_ = std::make_unique<uitest::Sheet>(uitest::Tree({{kShowSetting, static_cast<uint16_t>(show)}}));
        dialog_ =
            std::make_unique<GTimedDialog>(kTimedTemplate, &sheet_->Open(), seconds, kShowSetting, 0, 0);
        WinUiDriver::QueueDialogScript(kTimedTemplate, std::move(script));
        return dialog_->Run(nullptr, 0);
    }

    // A step that notes whether the dialog is still open.
    WinUiAction Look(std::vector<bool>& open) {
        return WinUiActions::Do("open?", [&open](HWND target) {
            open.push_back(IsWindow(target) != FALSE);
            return true;
        });
    }

    std::unique_ptr<HeldResourceLibrary> library_;
    std::unique_ptr<uitest::Sheet> sheet_;
    std::unique_ptr<GTimedDialog> dialog_;
};

TEST_F(GTimedSubDialogTest, WithItsShowSettingOffTheDialogEndsAtOnceWithOk) {
    std::vector<bool> open;
    EXPECT_EQ(Run(0, 5, {Look(open), WinUiActions::Click(GTimedDialog::kDontShowId)}), IDOK);
    EXPECT_TRUE(open.empty()); // no step of the user was played
    EXPECT_EQ(sheet_->Value(kShowSetting), 0);
    EXPECT_EQ(dialog_->GetState(), 1u);
}

TEST_F(GTimedSubDialogTest, TheDialogClosesItselfWhenItsSecondsHavePassed) {
    for (const uint16_t seconds : {1, 5, 12}) {
        SCOPED_TRACE(seconds);
        std::vector<bool> open;
        const uint32_t time = seconds * 1000u;
        EXPECT_EQ(Run(1, seconds,
                      {WinUiActions::Wait(time - 1), Look(open), WinUiActions::Wait(1), Look(open),
                       WinUiActions::Click(IDCANCEL)}),
                  IDOK);
        EXPECT_EQ(open, std::vector<bool>{true}); // open one millisecond before, closed at the time
    }
}

TEST_F(GTimedSubDialogTest, WithoutATimeOutTheDialogWaitsForTheUser) {
    std::vector<bool> open;
    EXPECT_EQ(Run(1, 0, {Look(open), WinUiActions::Wait(600000), Look(open), WinUiActions::Click(IDCANCEL)}),
              IDCANCEL);
    EXPECT_EQ(open, (std::vector<bool>{true, true}));
}

TEST_F(GTimedSubDialogTest, TickingTheBoxWritesTheShowSettingOff) {
    const struct {
        bool tick;
        int button;
        int show;
    } cases[] = {{true, IDOK, 0}, {false, IDOK, 1}, {true, IDCANCEL, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tick << " " << c.button);
        WinUiScript script;
        if (c.tick) script.push_back(WinUiActions::Click(GTimedDialog::kDontShowId));
        script.push_back(WinUiActions::Click(c.button));
        EXPECT_EQ(Run(1, 5, std::move(script)), c.button);
        EXPECT_EQ(sheet_->Value(kShowSetting), c.show);
        EXPECT_EQ(dialog_->GetState(), c.tick ? 0u : 1u);
    }
}

// The notice takes its resource library as one more use of the counted
// library, for the time it is shown.
TEST_F(GTimedDialogTest, TheNoticeHoldsTheCountedResourceLibraryWhileItIsShown) {
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held);
        std::unique_ptr<HeldResourceLibrary> sheet;
        if (held) sheet = std::make_unique<HeldResourceLibrary>(u"QVUIRES.DLL");
        const uint16_t before = ResourceLibraryUseCount();
        uint16_t during = 0;
        GTimedDialog dialog(11540, 10, u"P", u"LPT1:", u"ANN", u"QVUIRES.DLL", u"");
        WinUiDriver::QueueDialogScript(11540, {WinUiActions::Do("count", [&during](HWND) {
                                           during = ResourceLibraryUseCount();
                                           return true;
                                       })});
        EXPECT_EQ(dialog.Show(u"QVUIRES.DLL"), IDCANCEL);
        EXPECT_EQ(during, before + 1);
        EXPECT_EQ(ResourceLibraryUseCount(), before);
    }
    EXPECT_EQ(ResourceModule(), nullptr);
}

TEST_F(GTimedDialogTest, TheNoticeShowsTheNamesInBoldOnTheButtonFaceAndOpensItsHelp) {
    GTimedDialog dialog(11540, 0, u"P", u"LPT1:", u"ANN", u"QVUIRES.DLL", u"");
    dialog.SetHelpPath("C:\\DRIVERS\\QVHELP.HLP");
    std::vector<LONG> weights;
    HWND shown = nullptr;
    WinUiDriver::QueueDialogScript(
        11540, {WinUiActions::Do("weights",
                                 [&](HWND target) {
                                     shown = target;
                                     for (int id : {11541, 11542, 11543, 11545})
                                         weights.push_back(WinUiDriver::FontWeight(target, id));
                                     return true;
                                 }),
                WinUiActions::Click(GTimedDialog::kHelpId), WinUiActions::Click(IDOK)});
    EXPECT_EQ(dialog.Show(u"QVUIRES.DLL"), IDOK);
    ASSERT_EQ(weights.size(), 4u);
    const LONG bold = weights[0] | FW_BOLD;
    EXPECT_EQ(weights, (std::vector<LONG>{weights[0], bold, bold, bold}));
    const auto calls = WinUiDriver::HelpCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].window, shown);
    EXPECT_EQ(calls[0].file, "C:\\DRIVERS\\QVHELP.HLP");
    EXPECT_EQ(calls[0].command, HELP_CONTEXT);
    EXPECT_EQ(calls[0].data, GTimedDialog::kNoticeHelpContext);
}

} // namespace
