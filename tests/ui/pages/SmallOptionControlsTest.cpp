// The small shared option controls on their own dialogs of the module's
// resources: the TrueType check box (9000), the stapling button (3000,
// running 3500) and the scale control (6000) over a range of the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "model/GRangeAttribute.h"
#include "model/GSettingIds.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "tests/ui/pages/BuiltPageFixture.h"
#include "tests/ui/pages/SparePageTestSupport.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/pages/GScaleWrapper.h"
#include "ui/pages/GStaplingButtonWrapper.h"
#include "ui/pages/GTrueTypeAsBitmapsWrapper.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using sparetest::SpareLibraries;
using sparetest::SparePage;

constexpr WORD kFinishingDialog = 3000;
constexpr WORD kStaplingDialog = 3500;
constexpr int kStaplingButton = 3029;
constexpr int kOneStaple = 3502;
constexpr WORD kDetailsDialog = 9000;
constexpr int kTrueTypeBox = 3021;
constexpr WORD kEffectsDialog = 6000;
constexpr int kScaleEdit = 6021;
constexpr int kScaleBar = 6023;

// The module's dialogs are made hidden, as a sheet's pages are; the page
// is shown as the sheet shows its current page.
HWND Shown(SparePage& page) {
    HWND window = page.Open();
    ShowWindow(window, SW_SHOW);
    return window;
}

const GControlHelpPair kStaplingTable[] = {{kStaplingButton, 306}, {0, 0}};
const GControlHelpPair kTrueTypeTable[] = {{kTrueTypeBox, 313}, {0, 0}};
const GControlHelpPair kScaleTable[] = {{kScaleEdit, 505}, {6022, 505}, {kScaleBar, 506}, {0, 0}};

class SmallOptionControlsTest : public ::testing::Test {
protected:
    void SetUp() override { WinUiDriver::ClearRecords(); }
    void TearDown() override { EXPECT_TRUE(WinUiDriver::ScriptFailures().empty()); }
    GUIModel* Model() { return sheet_.model.get(); }
    int16_t Value(uint32_t id) {
        int16_t value = 0;
        Model()->CurrentSettings().GetValue(id, value);
        return value;
    }

    SpareLibraries libraries_;
    uitest::ModelPrinterSheet sheet_{"QVCOLOR"};
};

TEST_F(SmallOptionControlsTest, TheTrueTypeBoxShowsAndStoresOnOffAndFollowsItsLevel) {
    ASSERT_EQ(Model()->CurrentSettings().SetValue(GSettingId::kTrueTypeAsBitmaps, 1), 1);
    SparePage page(Model(), ResourceModule(), kDetailsDialog);
    page.Add(
        std::make_unique<GTrueTypeAsBitmapsWrapper>(new GTrueTypeAsBitmapsFeature(Model()), kTrueTypeTable));
    HWND dialog = Shown(page);
    EXPECT_EQ(WinUiDriver::CheckState(dialog, kTrueTypeBox), BST_CHECKED);
    ASSERT_TRUE(WinUiDriver::Click(dialog, kTrueTypeBox));
    EXPECT_EQ(Value(GSettingId::kTrueTypeAsBitmaps), 0);
    ASSERT_TRUE(WinUiDriver::Click(dialog, kTrueTypeBox));
    EXPECT_EQ(Value(GSettingId::kTrueTypeAsBitmaps), 1);
    // A value other than 1 shows unchecked; the rules' level 1 disables it.
    Model()->CurrentSettings().SetValue(GSettingId::kTrueTypeAsBitmaps, 2);
    Model()->RuleLevels().SetValue(GSettingId::kTrueTypeAsBitmapsLevel, GFeature::kDisabled);
    page.Activate();
    EXPECT_EQ(WinUiDriver::CheckState(dialog, kTrueTypeBox), BST_UNCHECKED);
    EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kTrueTypeBox));
}

class StaplingButtonTest : public SmallOptionControlsTest {
protected:
    HWND Open(const char* unit, int16_t staple) {
        EXPECT_EQ(Model()->CurrentSettings().SetString(GSettingId::kOptionalOutputUnit, unit), 1);
        EXPECT_EQ(Model()->CurrentSettings().SetValue(GSettingId::kStaple, staple), 1);
        page_ = std::make_unique<SparePage>(Model(), ResourceModule(), kFinishingDialog);
        auto button =
            std::make_unique<GStaplingButtonWrapper>(new GStaplingButtonFeature(Model()), kStaplingTable,
                                                     new GModalDialog(kStaplingDialog, Model(), 0, 0));
        button_ = button.get();
        page_->Add(std::move(button));
        return Shown(*page_);
    }
    // Runs the options dialog from the button: a control of it stores 289
    // = 2, then the dialog ends with `end`; what the button answered.
    LRESULT Press(int end) {
        WinUiDriver::QueueDialogScript(
            kStaplingDialog, {WinUiActions::Do("store 289",
                                               [this](HWND) {
                                                   GValueFeature option(Model(), GSettingId::kStapleOption);
                                                   return option.SetValue(2) == 1;
                                               }),
                              WinUiActions::Click(end)});
        return button_->HandleMessage(WM_COMMAND, MAKEWPARAM(kStaplingButton, BN_CLICKED), 0);
    }

    std::unique_ptr<SparePage> page_;
    GStaplingButtonWrapper* button_ = nullptr;
};

TEST_F(StaplingButtonTest, TheButtonIsShownOnlyForTheStaplerStackerAndUsableWhileStaplingIsOn) {
    const struct {
        const char* unit;
        int16_t staple;
        bool visible, enabled;
    } cases[] = {{"", 1, false, false},
                 {"QV-ACC-ENV", 1, false, false},
                 {"qv-acc-ss3000", 1, false, false},
                 {"QV-ACC-SS300", 1, false, false},
                 {"QV-ACC-SS3000", 0, true, false},
                 {"QV-ACC-SS3000", 1, true, true},
                 {"QV4600-91003", 1, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.unit << " " << c.staple);
        HWND dialog = Open(c.unit, c.staple);
        EXPECT_EQ(WinUiDriver::IsVisible(dialog, kStaplingButton), c.visible);
        EXPECT_EQ(WinUiDriver::IsEnabled(dialog, kStaplingButton), c.enabled);
    }
    // Stapling switched on enables the button at the next refresh.
    HWND dialog = Open("QV-ACC-SS3000", 0);
    Model()->CurrentSettings().SetValue(GSettingId::kStaple, 1);
    page_->Activate();
    EXPECT_TRUE(WinUiDriver::IsEnabled(dialog, kStaplingButton));
    EXPECT_TRUE(pagetest::WritePagePicture(dialog, "stapling-button.png"));
}

TEST_F(StaplingButtonTest, CancelInTheOptionsGivesBackTheSettingsAndOkKeepsThem) {
    Open("QV-ACC-SS3000", 1);
    ASSERT_NE(Value(GSettingId::kStapleOption), 2);
    const std::string before = uitest::Saved(*sheet_.Settings());
    EXPECT_EQ(Press(IDCANCEL), 0);
    EXPECT_EQ(uitest::Saved(*sheet_.Settings()), before);
    EXPECT_EQ(Press(IDOK), 1);
    EXPECT_EQ(Value(GSettingId::kStapleOption), 2);
    // Only a click of the button runs the dialog.
    EXPECT_EQ(button_->HandleMessage(WM_COMMAND, MAKEWPARAM(kStaplingButton, BN_SETFOCUS), 0), 0);
    EXPECT_EQ(button_->HandleMessage(WM_COMMAND, MAKEWPARAM(kOneStaple, BN_CLICKED), 0), 0);
}

// The scale over value 269 within a range 25..400 by 1 of the test: a
// page is 10, and the thumb's last position is 400 - 10 + 1 = 391.
class ScaleControlTest : public ::testing::Test {
protected:
    HWND Open() {
        sheet_.driver.Configuration().Add(new GRangeAttribute(25, 400, 1, 100, kRangeId));
        GUIModel& model = sheet_.Open();
        page_ = std::make_unique<SparePage>(&model, ResourceModule(), kEffectsDialog);
        page_->Add(std::make_unique<GScaleWrapper>(new GRangeFeature(&model, GSettingId::kScale, kRangeId),
                                                   kScaleTable));
        return Shown(*page_);
    }
    int Value() const { return sheet_.Value(GSettingId::kScale); }
    static std::u16string Digits(int value) {
        const std::string text = std::to_string(value);
        return std::u16string(text.begin(), text.end());
    }

    static constexpr uint32_t kRangeId = 200;
    static constexpr int kLastThumb = 391;
    SpareLibraries libraries_;
    uitest::Sheet sheet_{uitest::Tree({{GSettingId::kScale, 100}})};
    std::unique_ptr<SparePage> page_;
};

TEST_F(ScaleControlTest, ScrollCodesMoveTheValueWithinTheRange) {
    HWND dialog = Open();
    EXPECT_EQ(WinUiDriver::Text(dialog, kScaleEdit), u"100");
    EXPECT_EQ(WinUiDriver::Position(dialog, kScaleBar), 100);
    const struct {
        WORD code;
        int position;
        int expected;
    } steps[] = {{SB_PAGERIGHT, 0, 110},       {SB_LINELEFT, 0, 109},        {SB_PAGELEFT, 0, 99},
                 {SB_THUMBTRACK, 30, 30},      {SB_PAGELEFT, 0, 25},         {SB_LINELEFT, 0, 25},
                 {SB_THUMBTRACK, 395, 395},    {SB_PAGERIGHT, 0, 400},       {SB_THUMBPOSITION, 200, 200},
                 {SB_THUMBPOSITION, 391, 400}, {SB_THUMBPOSITION, 390, 390}, {SB_ENDSCROLL, 0, 390}};
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << s.code << " " << s.position);
        ASSERT_TRUE(WinUiDriver::Scroll(dialog, kScaleBar, s.code, s.position));
        EXPECT_EQ(Value(), s.expected);
        EXPECT_EQ(WinUiDriver::Text(dialog, kScaleEdit), Digits(s.expected));
        EXPECT_EQ(WinUiDriver::Position(dialog, kScaleBar), std::min(s.expected, kLastThumb));
    }
    EXPECT_TRUE(pagetest::WritePagePicture(dialog, "scale-control.png"));
}

TEST_F(ScaleControlTest, ATypedPercentIsTakenWithinTheRangeWhenTheFieldIsLeft) {
    HWND dialog = Open();
    const struct {
        const char16_t* typed;
        int expected;
    } entries[] = {{u"250", 250}, {u"1000", 400}, {u"70000", 400}, {u"5", 25}, {u"x", 25}};
    for (const auto& e : entries) {
        SCOPED_TRACE(testing::Message() << e.expected);
        ASSERT_TRUE(WinUiDriver::Type(dialog, kScaleEdit, e.typed));
        ASSERT_TRUE(WinUiDriver::Focus(dialog, kScaleBar));
        EXPECT_EQ(Value(), e.expected);
        EXPECT_EQ(WinUiDriver::Text(dialog, kScaleEdit), Digits(e.expected));
        EXPECT_EQ(WinUiDriver::Position(dialog, kScaleBar), std::min(e.expected, kLastThumb));
    }
    // A typed value is taken when the tab is left.
    ASSERT_TRUE(WinUiDriver::Type(dialog, kScaleEdit, u"125"));
    NMHDR leave{page_->Window(), 0, PSN_KILLACTIVE};
    SendMessageW(page_->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&leave));
    EXPECT_EQ(Value(), 125);
}

} // namespace
