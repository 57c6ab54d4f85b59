// The UI model's propagation through its rules, its change history (updates,
// UndoAll, snapshots) and its update nesting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UIModelTestSupport.h"

namespace {

using uitest::LoggingRule;
using uitest::Sheet;
using uitest::Tree;

// A rule that turns setting 253 over on every evaluation, so an id changes
// on every pass.
class FlippingRule : public GConstraintRule {
public:
    explicit FlippingRule(GUIModel* model) : GConstraintRule(model) {}
    void Evaluate(const std::vector<uint32_t>&, uint32_t) override {
        ++evaluations;
        int16_t value = 0;
        Model()->CurrentSettings().GetValue(253, value);
        Model()->CurrentSettings().SetValue(253, value == 0 ? 1 : 0);
    }
    int evaluations = 0;
};

// A rule that writes 264 once, on its first evaluation, and propagates from
// inside (which must not nest).
class WritingRule : public GConstraintRule {
public:
    explicit WritingRule(GUIModel* model) : GConstraintRule(model) {}
    void Evaluate(const std::vector<uint32_t>&, uint32_t) override {
        ++evaluations;
        Model()->CurrentSettings().SetValue(264, 1);
        Model()->Propagate(1);
    }
    int evaluations = 0;
};

// A rule that tells when it is destroyed.
class CountedRule : public GConstraintRule {
public:
    CountedRule(GUIModel* model, int& destroyed) : GConstraintRule(model), destroyed_(destroyed) {}
    ~CountedRule() override { ++destroyed_; }
    void Evaluate(const std::vector<uint32_t>&, uint32_t) override {}

private:
    std::vector<int> fields_ = std::vector<int>(16);
    int& destroyed_;
};

struct PropagationTest : ::testing::Test {
    PropagationTest() : sheet(Tree({{253, 0}, {264, 0}, {291, 1}})) {}
    void SetUp() override {
        GUIModel& model = sheet.Open();
        for (const char* name : {"A", "B"}) {
            auto rule = std::make_unique<LoggingRule>(&model, name, log);
            rules.push_back(rule.get());
            model.AddRule(std::move(rule));
        }
    }
    GUIModel& Model() { return *sheet.model; }

    Sheet sheet;
    std::vector<std::string> log;
    std::vector<LoggingRule*> rules;
};

TEST_F(PropagationTest, WithoutChangesOnlyTheFirstPassFlagRunsTheRules) {
    Model().Propagate(0);
    EXPECT_TRUE(log.empty());
    Model().Propagate(1);
    EXPECT_EQ(log, (std::vector<std::string>{"A.Reset", "B.Reset", "A.Evaluate", "B.Evaluate"}));
}

TEST_F(PropagationTest, AChangeRunsOnePassWithItsId) {
    Model().CurrentSettings().SetValue(291, 2);
    Model().Propagate(0);
    EXPECT_EQ(log, (std::vector<std::string>{"A.Reset", "B.Reset", "A.Evaluate", "B.Evaluate"}));
    ASSERT_EQ(rules[0]->seenKeys.size(), 1u);
    EXPECT_EQ(rules[0]->seenKeys[0], (std::vector<uint32_t>{291}));
    std::vector<uint32_t> pending = {1};
    Model().CopyPendingKeys(pending);
    EXPECT_TRUE(pending.empty());
}

TEST_F(PropagationTest, ARuleChangingAnIdOnEveryPassIsEvaluated101Times) {
    auto flipping = std::make_unique<FlippingRule>(&Model());
    FlippingRule* rule = flipping.get();
    Model().AddRule(std::move(flipping));
    Model().Propagate(1);
    EXPECT_EQ(rule->evaluations, 101);
    EXPECT_EQ(rules[0]->seenKeys.size(), 101u);
    // The ids of the last pass are dropped: the next propagation runs nothing.
    log.clear();
    Model().Propagate(0);
    EXPECT_TRUE(log.empty());
}

TEST_F(PropagationTest, ARulesWritesFeedTheNextPassAndNeverNest) {
    auto writing = std::make_unique<WritingRule>(&Model());
    WritingRule* rule = writing.get();
    Model().AddRule(std::move(writing));
    Model().Propagate(1);
    // Pass 1 writes 264; pass 2 sees it and writes the same value again.
    EXPECT_EQ(rule->evaluations, 2);
    ASSERT_EQ(rules[0]->seenKeys.size(), 2u);
    EXPECT_EQ(rules[0]->seenKeys[1], (std::vector<uint32_t>{264}));
}

TEST_F(PropagationTest, TwoChangesInOneUpdateThenUndoAllRestoreTheValueBeforeTheFirst) {
    Model().BeginUpdate(nullptr);
    Model().CurrentSettings().SetValue(291, 2);
    Model().CurrentSettings().SetValue(291, 3);
    Model().CurrentSettings().SetValue(253, 1);
    Model().SetChanged(0);
    Model().UndoAll();
    EXPECT_EQ(sheet.Value(291), 1);
    EXPECT_EQ(sheet.Value(253), 0);
    EXPECT_TRUE(Model().ChangeRecords().empty());
    EXPECT_EQ(Model().IsChanged(), 1u);
    std::vector<uint32_t> pending;
    Model().CopyPendingKeys(pending);
    EXPECT_TRUE(pending.empty());
}

TEST_F(PropagationTest, OnlyTheOutermostUpdateStartsANewHistory) {
    Model().BeginUpdate(reinterpret_cast<HWND>(0x10));
    Model().CurrentSettings().SetValue(291, 2);
    Model().BeginUpdate(reinterpret_cast<HWND>(0x20));
    EXPECT_EQ(Model().ChangeRecords().size(), 1u);
    EXPECT_EQ(Model().Window(), reinterpret_cast<HWND>(0x10));
    EXPECT_EQ(Model().EndUpdate(), 1);
    EXPECT_EQ(Model().Window(), reinterpret_cast<HWND>(0x10));
    EXPECT_EQ(Model().EndUpdate(), 0);
    EXPECT_EQ(Model().Window(), nullptr);
    Model().BeginUpdate(nullptr);
    EXPECT_TRUE(Model().ChangeRecords().empty());
}

TEST_F(PropagationTest, EndUpdateAtNestingZeroStaysZero) {
    EXPECT_EQ(Model().EndUpdate(), 0);
    EXPECT_EQ(Model().UpdateNesting(), 0);
    Model().BeginUpdate(nullptr);
    EXPECT_EQ(Model().UpdateNesting(), 1) << "not 0xFFFF + 1";
}

TEST_F(PropagationTest, IsChangedAnswersOnlyAtNestingZeroOrOne) {
    Model().SetChanged(1);
    const uint32_t expected[] = {1, 1, 0, 0};
    for (const uint32_t answer : expected) {
        EXPECT_EQ(Model().IsChanged(), answer) << "nesting " << Model().UpdateNesting();
        Model().BeginUpdate(nullptr);
    }
}

TEST_F(PropagationTest, ASnapshotRestoresOnlyTheChangesMadeAfterIt) {
    for (const uint32_t restore : {1u, 0u}) {
        SCOPED_TRACE(restore);
        Model().BeginUpdate(nullptr);
        Model().CurrentSettings().SetValue(291, 2);
        Model().PushSnapshot();
        Model().CurrentSettings().SetValue(291, 3);
        Model().CurrentSettings().SetValue(253, 1);
        Model().CurrentSettings().SetValue(291, 4);
        Model().PopSnapshot(restore);
        EXPECT_EQ(sheet.Value(291), restore == 1 ? 2 : 4);
        EXPECT_EQ(sheet.Value(253), restore == 1 ? 0 : 1);
        EXPECT_EQ(Model().SnapshotCount(), 0u);
        Model().UndoAll();
        EXPECT_EQ(sheet.Value(291), 1);
        EXPECT_EQ(Model().EndUpdate(), 0);
    }
    Model().PopSnapshot(1); // an empty stack: nothing
    EXPECT_EQ(sheet.Value(291), 1);
}

TEST_F(PropagationTest, TwoOpenSnapshotsBothRecord) {
    Model().PushSnapshot();
    Model().CurrentSettings().SetValue(291, 2);
    Model().PushSnapshot();
    Model().CurrentSettings().SetValue(291, 3);
    Model().PopSnapshot(1);
    EXPECT_EQ(sheet.Value(291), 2);
    Model().PopSnapshot(1);
    EXPECT_EQ(sheet.Value(291), 1);
}

TEST_F(PropagationTest, TheFirstPageMessageRunsEveryRuleOnceWithItsWindow) {
    static HWND hookWindow = nullptr;
    sheet.data.hook = [](HWND window, UINT message, WPARAM, LPARAM, GUIData* data) -> LRESULT {
        hookWindow = window;
        return message == 0x110 && data != nullptr ? 77 : 0;
    };
    const HWND page = reinterpret_cast<HWND>(0x30);
    EXPECT_EQ(Model().OnPageMessage(page, 0x110, 0, 0), 77);
    EXPECT_EQ(hookWindow, page);
    EXPECT_EQ(log, (std::vector<std::string>{"A.Reset", "B.Reset", "A.Evaluate", "B.Evaluate"}));
    EXPECT_EQ(Model().Window(), nullptr) << "the window is kept for the first propagation only";
    Model().OnPageMessage(page, 0x111, 0, 0);
    EXPECT_EQ(log.size(), 4u);
    sheet.data.hook = nullptr;
    EXPECT_EQ(Model().OnPageMessage(page, 0x110, 0, 0), 0);
}

TEST(UIModelRulesTest, RulesAreDeletedThroughTheirBaseWithTheModel) {
    int destroyed = 0;
    {
        Sheet sheet(Tree({}));
        GUIModel& model = sheet.Open();
        model.AddRule(std::make_unique<CountedRule>(&model, destroyed));
        model.AddRule(std::make_unique<CountedRule>(&model, destroyed));
        model.AddRule(nullptr);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 2);
}

} // namespace
