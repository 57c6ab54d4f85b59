// The rule base (levels that only rise, cleared levels, the locked-settings
// list) and the hard-disk rule with its conflict dialog.
#include <gtest/gtest.h>

#include <string>

#include "UIModelTestSupport.h"
#include "ui/framework/GHardDiskRule.h"
#include "ui/framework/GResourceLibrary.h"
#include "winapi/WinModule.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using uitest::AddNode;
using uitest::Sheet;
using uitest::Tree;

constexpr uint32_t kLevel = 0x40000025;
constexpr uint32_t kMessage = 0x40000026;

// A rule with nothing to evaluate, for the base's operations.
class PlainRule : public GConstraintRule {
public:
    using GConstraintRule::GConstraintRule;
    void Evaluate(const std::vector<uint32_t>&, uint32_t) override {}
};

TEST(GConstraintRuleTest, ALevelOnlyRises) {
    struct Case {
        const char* what;
        int stored; // -1: missing
        uint16_t raised;
        int level;
        size_t records;
    } cases[] = {
        {"a missing id is created with the level", -1, 0, 0, 0},
        {"a missing id, level 2", -1, 2, 2, 0},
        {"1 after 2 leaves 2", 2, 1, 2, 0},
        {"2 after 1", 1, 2, 2, 1},
        {"the same level", 1, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sheet sheet(Tree({}));
        GUIModel& model = sheet.Open();
        if (c.stored >= 0) model.RuleLevels().AddIfMissing(static_cast<int16_t>(c.stored), kLevel);
        PlainRule rule(&model);
        rule.RaiseLevel(kLevel, c.raised);
        EXPECT_EQ(sheet.Value(kLevel), c.level);
        EXPECT_EQ(model.ChangeRecords().size(), c.records);
    }
}

TEST(GConstraintRuleTest, ClearLevelLeavesZeroWhetherOrNotTheIdWasThere) {
    Sheet sheet(Tree({}));
    GUIModel& model = sheet.Open();
    model.RuleLevels().AddIfMissing(2, kLevel);
    PlainRule rule(&model);
    rule.ClearLevel(kLevel);
    rule.ClearLevel(kMessage);
    EXPECT_EQ(sheet.Value(kLevel), 0);
    EXPECT_EQ(sheet.Value(kMessage), 0);
    EXPECT_EQ(rule.Query(1), 0);
}

TEST(GConstraintRuleTest, ValueInListLooksAtTheLockedSettings) {
    Sheet none(Tree({}));
    PlainRule without(&none.Open());
    EXPECT_EQ(without.ValueInList(5), 0) << "without node 1102";

    auto settings = Tree({{5, 9}});
    AddNode(*settings, 1102, {{0, 5}, {0, 0xFFFF}});
    Sheet sheet(std::move(settings));
    PlainRule rule(&sheet.Open());
    const struct {
        int16_t value;
        int32_t found;
    } cases[] = {{5, 1}, {-1, 1}, {9, 0}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(rule.ValueInList(c.value), c.found) << c.value;
}

// --- The hard-disk rule ----------------------------------------------------------------

const std::u16string kReason = u"To use this feature, turn on the \"Printer Hard Disk\" setting (see "
                               u"\"Configure\" tab, click\" More...\").";

class HardDiskRuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        WinHostStore::Instance().RegisterModule(u"QVUIRES.DLL", QV_RESOURCE_LIBRARY_PATH);
        ASSERT_EQ(LoadResourceLibrary(u"QVUIRES.DLL"), 1);
    }
    void TearDown() override { ReleaseResourceLibrary(); }
    // A sheet with 239 and 702, and the hard-disk rule.
    std::unique_ptr<Sheet> SheetWith(uint16_t hardDisk, uint16_t variableData) {
        auto sheet = std::make_unique<Sheet>(Tree({{239, hardDisk}, {702, variableData}, {253, 0}}));
        GUIModel& model = sheet->Open();
        model.AddRule(std::make_unique<GHardDiskRule>(&model));
        return sheet;
    }
};

TEST_F(HardDiskRuleTest, ResetClearsItsLevelAndMessage) {
    auto sheet = SheetWith(1, 0);
    GHardDiskRule rule(sheet->model.get());
    rule.Reset();
    EXPECT_EQ(sheet->Value(kLevel), 0);
    EXPECT_EQ(sheet->Value(kMessage), 0);
    sheet->model->RuleLevels().SetValue(kLevel, 2);
    sheet->model->RuleLevels().SetValue(kMessage, 5113);
    rule.Reset();
    EXPECT_EQ(sheet->Value(kLevel), 0);
    EXPECT_EQ(sheet->Value(kMessage), 0);
}

TEST_F(HardDiskRuleTest, WithoutConflictNoDialog) {
    const struct {
        uint16_t hardDisk;
        uint16_t variableData;
        int level;
        int message;
    } cases[] = {{1, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 1, 5113}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hardDisk) + "/" + std::to_string(c.variableData));
        auto sheet = SheetWith(c.hardDisk, c.variableData);
        sheet->model->Propagate(1);
        EXPECT_TRUE(WinUiDriver::MessageBoxes().empty());
        EXPECT_EQ(sheet->Value(kLevel), c.level);
        EXPECT_EQ(sheet->Value(kMessage), c.message);
        EXPECT_EQ(sheet->Value(702), c.variableData);
    }
}

TEST_F(HardDiskRuleTest, OkTurnsVariableDataOffOnce) {
    auto sheet = SheetWith(0, 1);
    GUIModel& model = *sheet->model;
    const HWND window = reinterpret_cast<HWND>(0x40);
    model.BeginUpdate(window);
    model.Propagate(1);
    const std::vector<WinRecordedMessageBox> boxes = WinUiDriver::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kReason);
    EXPECT_EQ(boxes[0].caption, u"Incompatible Options");
    EXPECT_EQ(boxes[0].type, 65u);
    EXPECT_EQ(boxes[0].owner, window);
    EXPECT_EQ(boxes[0].answer, IDOK);
    EXPECT_EQ(sheet->Value(702), 0);
    EXPECT_EQ(sheet->Value(kLevel), 1);
    EXPECT_EQ(sheet->Value(kMessage), 5113);
    model.Propagate(1);
    EXPECT_EQ(WinUiDriver::MessageBoxes().size(), 1u) << "no further dialog";
    EXPECT_EQ(sheet->Value(kLevel), 1);
}

TEST_F(HardDiskRuleTest, CancelGivesBackEverySettingSinceTheOutermostUpdate) {
    auto sheet = SheetWith(1, 1);
    GUIModel& model = *sheet->model;
    model.Propagate(1);
    ASSERT_EQ(sheet->Value(kLevel), 0);
    model.BeginUpdate(nullptr);
    // The user turns the disk off and changes another setting.
    model.CurrentSettings().SetValue(253, 2);
    model.BeginUpdate(nullptr);
    model.CurrentSettings().SetValue(239, 0);
    WinUiDriver::QueueMessageBoxAnswer(IDCANCEL);
    model.Propagate(0);
    ASSERT_EQ(WinUiDriver::MessageBoxes().size(), 1u);
    EXPECT_EQ(sheet->Value(239), 1);
    EXPECT_EQ(sheet->Value(253), 0);
    // The rule wrote nothing after the undo.
    EXPECT_EQ(sheet->Value(702), 1);
    EXPECT_EQ(sheet->Value(kLevel), 0);
    EXPECT_EQ(sheet->Value(kMessage), 0);
    EXPECT_TRUE(model.ChangeRecords().empty());
    model.Propagate(0);
    EXPECT_EQ(WinUiDriver::MessageBoxes().size(), 1u);
}

} // namespace
