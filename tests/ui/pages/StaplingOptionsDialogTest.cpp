// The Stapling Options dialog (3500) run from the Finishing tab's
// "Stapling..." button with the stapler/stacker installed: the staple
// choices and where an angled staple fits.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/ui/pages/FinishingPageTestSupport.h"
#include "ui/pages/GStapleOptionsFeature.h"
#include "winapi/host/WinUiActions.h"

namespace {

using namespace finishingtest;

constexpr WORD kStaplingDialog = 3500;
constexpr int kOneStaple = 3502;
constexpr int kAngled = 3503;
constexpr int kTwoStaples = 3504;
constexpr int kSixStaples = 3506;
constexpr int kCustom = 3507;

class StaplingOptionsDialogTest : public FinishingPageTest {
protected:
    void SetUp() override {
        FinishingPageTest::SetUp();
        ASSERT_EQ(Model()->CurrentSettings().SetString(GSettingId::kOptionalOutputUnit, "QV-ACC-SS3000"), 1);
        Store(GSettingId::kStaple, 1);
    }
    // Presses the button; the dialog plays the actions, then ends with
    // `end`. Whether the button answered that the dialog ended with OK.
    bool RunDialog(std::vector<WinUiAction> actions, int end) {
        actions.push_back(WinUiActions::Click(end));
        WinUiDriver::QueueDialogScript(kStaplingDialog, std::move(actions));
        return WinUiDriver::Click(window_, kStaplingButton);
    }
};

TEST_F(StaplingOptionsDialogTest, OneStapleWithAngledStoresTwoAndEachRadioItsChoice) {
    HWND page = Open();
    EXPECT_TRUE(WinUiDriver::IsEnabled(page, kStaplingButton));
    const struct {
        int radio;
        bool angled;
        int stored;
    } cases[] = {{kOneStaple, true, 2},   {kTwoStaples, false, 3}, {kOneStaple, false, 1},
                 {kSixStaples, false, 5}, {kCustom, false, 6},     {3505, false, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radio);
        std::vector<WinUiAction> actions{WinUiActions::Click(c.radio)};
        if (c.angled) actions.push_back(WinUiActions::Click(kAngled));
        actions.push_back(pagetest::CheckStep("look", [&](HWND dialog) {
            // Only the radio clicked stays checked, whichever group it is in.
            for (const int radio : {kOneStaple, kTwoStaples, 3505, kSixStaples, kCustom})
                EXPECT_EQ(WinUiDriver::CheckState(dialog, radio) == BST_CHECKED, radio == c.radio) << radio;
            EXPECT_EQ(WinUiDriver::IsEnabled(dialog, kAngled), c.radio == kOneStaple);
        }));
        ASSERT_TRUE(RunDialog(std::move(actions), IDOK));
        EXPECT_EQ(Stored(GSettingId::kStapleOption), c.stored);
    }
    // Opened again on 2, the dialog shows one staple, angled.
    Store(GSettingId::kStapleOption, 2);
    ASSERT_TRUE(RunDialog(
        {pagetest::CheckStep("look",
                             [](HWND dialog) {
                                 EXPECT_EQ(WinUiDriver::CheckState(dialog, kOneStaple), BST_CHECKED);
                                 EXPECT_EQ(WinUiDriver::CheckState(dialog, kAngled), BST_CHECKED);
                                 const qvtest::TempFolder folder;
                                 EXPECT_TRUE(WinUiDriver::RenderToPng(
                                     dialog, folder.PicturePath("stapling-options.png")));
                             })},
        IDOK));
}

TEST_F(StaplingOptionsDialogTest, CancelLeavesTheEncodedSettingsByteForByte) {
    Store(GSettingId::kStapleOption, 3);
    Open();
    const std::string before = uitest::Saved(*sheet_.Settings());
    ASSERT_TRUE(RunDialog({WinUiActions::Click(kOneStaple), WinUiActions::Click(kAngled)}, IDCANCEL));
    EXPECT_EQ(uitest::Saved(*sheet_.Settings()), before);
    EXPECT_EQ(Stored(GSettingId::kStapleOption), 3);
}

TEST_F(StaplingOptionsDialogTest, OnLegalTheAngledBoxStaysUncheckedAndUnusable) {
    Store(GSettingId::kPaper, kLegal);
    Store(GSettingId::kStapleOption, 2);
    Open();
    ASSERT_TRUE(RunDialog(
        {pagetest::CheckStep("look",
                             [](HWND dialog) {
                                 EXPECT_EQ(WinUiDriver::CheckState(dialog, kOneStaple), BST_CHECKED);
                                 EXPECT_EQ(WinUiDriver::CheckState(dialog, kAngled), BST_UNCHECKED);
                                 EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kAngled));
                             }),
         WinUiActions::Click(kOneStaple)},
        IDOK));
    EXPECT_EQ(Stored(GSettingId::kStapleOption), 1);
}

// The tip beside Angled shows the hint the stapling rule left.
TEST_F(StaplingOptionsDialogTest, TheAngledTipShowsTheStaplingRulesHint) {
    Open();
    for (const int16_t message : {int16_t{5302}, int16_t{0}}) {
        SetLevel(GSettingId::kStapleOptionsLevel, 0);
        SetLevel(GSettingId::kStapleOptionsMessage, message);
        ASSERT_TRUE(RunDialog({pagetest::CheckStep("look",
                                                   [message](HWND dialog) {
                                                       EXPECT_EQ(WinUiDriver::IsVisible(dialog, 1014),
                                                                 message != 0);
                                                   })},
                              IDCANCEL));
    }
}

// Where an angled staple fits: the paper printed on (272 while 270 is on),
// the orientation (two and six pages per sheet turn the sheet), never
// Legal, and never while the rules disable it (level 1).
TEST_F(StaplingOptionsDialogTest, AnAngledStapleFitsPortraitLetterOrA4AndOtherSizesInLandscape) {
    const struct {
        int16_t paper, orientation, pages, otherOn, other, level;
        bool allowed;
    } cases[] = {{kLetter, 0, 1, 0, 0, 0, true},    {kA4, 0, 1, 0, 0, 0, true},
                 {kLegal, 0, 1, 0, 0, 0, false},    {kLegal, 90, 1, 0, 0, 0, false},
                 {kLegal, 0, 2, 0, 0, 0, false},    {kLetter, 90, 1, 0, 0, 0, false},
                 {kLetter, 180, 1, 0, 0, 0, false}, {22, 90, 1, 0, 0, 0, true},
                 {22, 270, 1, 0, 0, 0, true},       {22, 0, 1, 0, 0, 0, false},
                 {kLetter, 0, 2, 0, 0, 0, false},   {kLetter, 0, 6, 0, 0, 0, false},
                 {kLetter, 0, 4, 0, 0, 0, true},    {22, 0, 2, 0, 0, 0, true},
                 {kLetter, 90, 2, 0, 0, 0, true},   {kLetter, 0, 1, 1, kLegal, 0, false},
                 {kLegal, 0, 1, 1, kA4, 0, true},   {kLetter, 0, 1, 0, kLegal, 0, true},
                 {kLetter, 0, 1, 0, 0, 1, false},   {kLetter, 0, 1, 0, 0, 2, true}};
    GStapleOptionsFeature option(Model());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.paper << " " << c.orientation << " pages " << c.pages
                                        << " other " << c.otherOn << "/" << c.other << " level " << c.level);
        Store(GSettingId::kPaper, c.paper);
        Store(GSettingId::kOrientation, c.orientation);
        Store(GSettingId::kPagesPerSheet, c.pages);
        Store(GSettingId::kPrintOnOtherPaper, c.otherOn);
        Store(GSettingId::kOtherPaper, c.other == 0 ? kLetter : c.other);
        SetLevel(GSettingId::kStapleOptionsLevel, c.level);
        EXPECT_EQ(option.AngledAllowed(), c.allowed);
    }
}

} // namespace
