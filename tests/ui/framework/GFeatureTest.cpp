// Features: a value feature reads and writes its setting through the UI
// model, GetSettingValue reads any value of the current settings, and the
// lock answer is the owner's lock bits.
#include <gtest/gtest.h>

#include "UIModelTestSupport.h"
#include "ui/framework/GValueFeature.h"

namespace {

using uitest::Sheet;
using uitest::Tree;

TEST(GFeatureTest, AValueFeatureWorksOnItsSetting) {
    auto settings = Tree({{253, 0}});
    settings->Add(new GStringAttribute("Plain", 261));
    Sheet sheet(std::move(settings));
    GUIModel& model = sheet.Open();
    GValueFeature duplex(&model, 253);
    EXPECT_EQ(duplex.GetState(), GFeature::kEnabled);
    EXPECT_EQ(duplex.WasChanged(), 0);
    EXPECT_EQ(duplex.SetValue(2), 1);
    EXPECT_EQ(duplex.GetValue(), 2);
    EXPECT_EQ(duplex.WasChanged(), 1);
    EXPECT_EQ(sheet.Value(253), 2);
    for (const uint32_t id : {999u, 261u}) {
        SCOPED_TRACE(id);
        GValueFeature missing(&model, id);
        EXPECT_EQ(missing.GetValue(), 0);
        EXPECT_EQ(missing.SetValue(1), 0);
        EXPECT_EQ(missing.WasChanged(), 0);
    }
}

TEST(GFeatureTest, GetSettingValueReadsOnlyValues) {
    auto settings = Tree({{291, 0xFFFF}});
    settings->Add(new GStringAttribute("Plain", 261));
    Sheet sheet(std::move(settings));
    GUIModel& model = sheet.Open();
    model.RuleLevels().SetValue(0x40000025, 2);
    const GFeature feature(&model);
    const struct {
        uint32_t id;
        int16_t value;
    } cases[] = {{291, -1}, {0x40000025, 2}, {261, 0}, {999, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(feature.GetSettingValue(c.id), c.value) << c.id;
}

TEST(GFeatureTest, IsLockedAnswersTheOwnersLockBits) {
    const struct {
        uint32_t flags;
        uint32_t locked;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 0}, {6, 2}};
    for (const auto& c : cases) {
        Sheet sheet(Tree({}), c.flags);
        GFeature feature(&sheet.Open());
        EXPECT_EQ(feature.IsLocked(), c.locked) << c.flags;
    }
}

} // namespace
