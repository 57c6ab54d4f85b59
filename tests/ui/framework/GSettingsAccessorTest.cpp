// The settings accessor over a sheet's settings: finds by id and exact
// class, reads that always leave a defined value, writes that record the old
// attribute only when something changes, the read-only form, lists, and the
// media sizes of the media pool.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "UIModelTestSupport.h"
#include "model/GEnumAttribute.h"
#include "model/GRangeAttribute.h"
#include "model/GStringAttribute.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "ui/framework/GSettingsAccessor.h"

namespace {

using uitest::AddNode;
using uitest::Saved;
using uitest::Sheet;
using uitest::Tree;

constexpr uint32_t kLevels = 283;

// Settings with a value, a range, a string, an enum and a node of each kind.
std::unique_ptr<GAttributeComposite> MixedTree() {
    auto tree = Tree({{253, 1}, {291, 0xFFFF}});
    tree->Add(new GRangeAttribute(1, 999, 2, 5, 199));
    tree->Add(new GStringAttribute("Plain", 261));
    auto* group = AddNode(*tree, 364, {{258, 19}});
    group->Add(new GStringAttribute("Letterhead", 262));
    tree->Add(new GEnumAttribute(276));
    AddNode(*tree, 1102, {{0, 5}, {0, 7}});
    return tree;
}

TEST(GSettingsAccessorTest, FindsTestTheClassExactly) {
    Sheet sheet(MixedTree());
    GUIModel& model = sheet.Open();
    const GSettingsAccessor settings = model.CurrentSettings();
    struct Case {
        const char* what;
        std::function<const void*()> find;
        bool found;
    } cases[] = {
        {"a value as a value", [&] { return settings.FindValue(253); }, true},
        {"a range as a value", [&] { return settings.FindValue(199); }, false},
        {"a range as a range", [&] { return settings.FindRange(199); }, true},
        {"a string as a string", [&] { return settings.FindString(261); }, true},
        {"a value as a string", [&] { return settings.FindString(253); }, false},
        {"a deeper string", [&] { return settings.FindString(262); }, true},
        {"the custom sizes", [&] { return settings.FindEnum276(); }, true},
        {"a composite", [&] { return settings.FindComposite(364); }, true},
        {"an enum as a composite", [&] { return settings.FindComposite(276); }, true},
        {"a value as a composite", [&] { return settings.FindComposite(253); }, false},
        {"a missing id", [&] { return settings.FindTyped(999, GValueAttribute::kClassId); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.find() != nullptr, c.found);
    }
    EXPECT_EQ(settings.HasKey(262), 1);
    EXPECT_EQ(settings.HasKeyOfClass(262, GValueAttribute::kClassId), 0);
}

TEST(GSettingsAccessorTest, ReadsLeaveADefinedValue) {
    Sheet sheet(MixedTree());
    const GSettingsAccessor settings = sheet.Open().CurrentSettings();
    int16_t value = 42;
    EXPECT_EQ(settings.GetValue(291, value), 1);
    EXPECT_EQ(value, -1); // 0xFFFF read as signed 16 bits
    EXPECT_EQ(settings.GetValue(261, value), 0);
    EXPECT_EQ(value, 0);
    uint16_t part = 9;
    EXPECT_EQ(settings.GetRangeMax(199, part), 1);
    EXPECT_EQ(part, 999);
    EXPECT_EQ(settings.GetRangeMin(199, part), 1);
    EXPECT_EQ(part, 1);
    EXPECT_EQ(settings.GetRangeStep(199, part), 1);
    EXPECT_EQ(part, 2);
    EXPECT_EQ(settings.GetRangeValue(199, part), 1);
    EXPECT_EQ(part, 5);
    EXPECT_EQ(settings.GetRangeMax(253, part), 0);
    EXPECT_EQ(part, 0);
    RWCString text("old");
    EXPECT_EQ(settings.GetString(262, text), 1);
    EXPECT_EQ(text, RWCString("Letterhead"));
    EXPECT_EQ(settings.GetString(253, text), 0);
    EXPECT_EQ(text.Length(), 0u);
    RWWString wide(u"old");
    EXPECT_EQ(settings.GetStringAsWide(261, wide), 1);
    EXPECT_EQ(wide, RWWString(u"Plain"));
}

TEST(GSettingsAccessorTest, GetListStopsAtTheFirstChildThatIsNoValue) {
    auto tree = Tree({});
    AddNode(*tree, 700, {{0, 3}, {0, 4}})->Add(new GStringAttribute("x", 0));
    AddNode(*tree, 701, {{0, 8}, {0, 9}});
    Sheet sheet(std::move(tree));
    const GSettingsAccessor settings = sheet.Open().CurrentSettings();
    std::vector<uint16_t> list = {1, 1, 1, 1};
    EXPECT_EQ(settings.GetList(700, list), 0);
    EXPECT_EQ(list, (std::vector<uint16_t>{3, 4}));
    EXPECT_EQ(settings.GetList(701, list), 1);
    EXPECT_EQ(list, (std::vector<uint16_t>{8, 9}));
    EXPECT_EQ(settings.GetList(702, list), 0);
    EXPECT_EQ(list, (std::vector<uint16_t>{8, 9})) << "a missing node leaves the list";
}

TEST(GSettingsAccessorTest, WritingTheStoredValueRecordsNothing) {
    Sheet sheet(MixedTree());
    GUIModel& model = sheet.Open();
    GSettingsAccessor settings = model.CurrentSettings();
    EXPECT_EQ(settings.SetValue(253, 1), 1);
    EXPECT_EQ(settings.SetValue(291, -1), 1);
    EXPECT_EQ(settings.SetString(261, "Plain"), 1);
    EXPECT_TRUE(model.ChangeRecords().empty());
    std::vector<uint32_t> keys;
    model.CopyPendingKeys(keys);
    EXPECT_TRUE(keys.empty());
}

TEST(GSettingsAccessorTest, AChangeRecordsTheOldAttributeAndReplacesIt) {
    Sheet sheet(MixedTree());
    GUIModel& model = sheet.Open();
    GSettingsAccessor settings = model.CurrentSettings();
    const MPersistentObject* before = settings.FindValue(258);
    EXPECT_EQ(settings.SetValue(258, 6), 1);
    EXPECT_EQ(settings.SetString(262, "Bond"), 1);
    ASSERT_EQ(model.ChangeRecords().size(), 2u);
    EXPECT_EQ(static_cast<const GValueAttribute&>(model.ChangeRecords()[0]->Attribute()).GetValue(), 19);
    EXPECT_EQ(static_cast<const GStringAttribute&>(model.ChangeRecords()[1]->Attribute()).GetValue(),
              RWCString("Letterhead"));
    EXPECT_EQ(sheet.Value(258), 6);
    EXPECT_NE(settings.FindValue(258), before) << "a write puts a new object in the tree";
    RWCString text;
    settings.GetString(262, text);
    EXPECT_EQ(text, RWCString("Bond"));
    std::vector<uint32_t> keys;
    model.CopyPendingKeys(keys);
    EXPECT_EQ(keys, (std::vector<uint32_t>{258, 262}));
    EXPECT_EQ(settings.WasChanged(258), 1);
    EXPECT_EQ(settings.WasChanged(253), 0);
    // Wide text: converted to the ANSI code page, or refused.
    EXPECT_EQ(settings.SetStringFromWide(261, u"Bond \u00E9"), 1);
    EXPECT_EQ(settings.SetStringFromWide(262, u"\u4E2D"), 0);
    RWWString wide;
    settings.GetStringAsWide(261, wide);
    EXPECT_EQ(wide, RWWString(u"Bond \u00E9"));
    settings.GetString(262, text);
    EXPECT_EQ(text, RWCString("Bond"));
}

TEST(GSettingsAccessorTest, InTheLevelsANewIdComesUnrecordedAndASecondValueRecordsOnce) {
    Sheet sheet(Tree({}));
    GUIModel& model = sheet.Open();
    GSettingsAccessor levels = model.RuleLevels();
    ASSERT_EQ(levels.Composite()->GetId(), kLevels);
    EXPECT_EQ(levels.SetValue(0x40000025, 1), 1);
    EXPECT_EQ(uitest::ValueOf(levels.Composite(), 0x40000025), 1);
    EXPECT_TRUE(model.ChangeRecords().empty());
    EXPECT_EQ(levels.SetValue(0x40000025, 2), 1);
    ASSERT_EQ(model.ChangeRecords().size(), 1u);
    EXPECT_EQ(model.ChangeRecords()[0]->Id(), 0x40000025u);
    // Elsewhere a missing id is not made.
    EXPECT_EQ(model.CurrentSettings().SetValue(0x40000027, 1), 0);
}

TEST(GSettingsAccessorTest, SetValueOnAStringAttributesIdAnswersZero) {
    Sheet sheet(MixedTree());
    GUIModel& model = sheet.Open();
    EXPECT_EQ(model.CurrentSettings().SetValue(261, 1), 0);
    EXPECT_EQ(model.CurrentSettings().SetString(253, "x"), 0);
    RWCString text;
    model.CurrentSettings().GetString(261, text);
    EXPECT_EQ(text, RWCString("Plain"));
    EXPECT_TRUE(model.ChangeRecords().empty());
}

TEST(GSettingsAccessorTest, AReadOnlyAccessorWritesNothing) {
    Sheet sheet(MixedTree());
    GUIModel& model = sheet.Open();
    const std::string before = Saved(*sheet.Settings());
    GSettingsAccessor settings(sheet.Settings(), &model, 1);
    const GValueAttribute replacement(3, 253);
    const std::vector<uint16_t> values = {1, 2};
    EXPECT_EQ(settings.SetValue(253, 2), 0);
    EXPECT_EQ(settings.SetString(261, "Bond"), 0);
    EXPECT_EQ(settings.SetStringFromWide(261, u"Bond"), 0);
    EXPECT_EQ(settings.AddIfMissing(1, 900), 0);
    EXPECT_EQ(settings.AddListComposite(901, &values), 0);
    EXPECT_EQ(settings.Replace(253, &replacement), 0);
    EXPECT_EQ(settings.NotifyChange(settings.FindValue(253), nullptr), 0);
    GSettingsAccessor levels(model.RuleLevels().Composite(), &model, 1);
    EXPECT_EQ(levels.SetValue(0x40000025, 1), 0);
    EXPECT_EQ(Saved(*sheet.Settings()), before);
    EXPECT_TRUE(model.ChangeRecords().empty());
}

TEST(GSettingsAccessorTest, AdditionsAndReplacementAreNotRecorded) {
    Sheet sheet(MixedTree());
    GUIModel& model = sheet.Open();
    GSettingsAccessor settings = model.CurrentSettings();
    EXPECT_EQ(settings.AddIfMissing(4, 253), 1);
    EXPECT_EQ(sheet.Value(253), 1) << "an existing id keeps its value";
    EXPECT_EQ(settings.AddIfMissing(4, 900), 1);
    EXPECT_EQ(sheet.Value(900), 4);
    const std::vector<uint16_t> values = {10, 20, 30};
    EXPECT_EQ(settings.AddListComposite(901, &values), 1);
    std::vector<uint16_t> list;
    EXPECT_EQ(settings.GetList(901, list), 1);
    EXPECT_EQ(list, values);
    const GValueAttribute replacement(3, 253);
    EXPECT_EQ(settings.Replace(253, &replacement), 1);
    EXPECT_EQ(sheet.Value(253), 3);
    EXPECT_TRUE(model.ChangeRecords().empty());
}

TEST(GSettingsAccessorTest, DescendMovesOnlyToANode) {
    Sheet sheet(MixedTree());
    GSettingsAccessor settings = sheet.Open().CurrentSettings();
    EXPECT_EQ(settings.Descend(253), 0);
    EXPECT_EQ(settings.Composite()->GetId(), 360u);
    EXPECT_EQ(settings.Descend(364), 1);
    EXPECT_EQ(settings.Composite()->GetId(), 364u);
    EXPECT_EQ(settings.HasKey(253), 0);
    EXPECT_EQ(settings.SetValue(258, 3), 1);
    EXPECT_EQ(sheet.Value(258), 3);
    std::unique_ptr<MPersistentObject> clone = settings.CloneAttribute(258);
    ASSERT_TRUE(clone);
    EXPECT_EQ(static_cast<GValueAttribute&>(*clone).GetValue(), 3);
}

// --- Media sizes ----------------------------------------------------------------------

// A pool of Letter (1) and A4 (23) at 0 and 90 degrees and 600 dpi, with the
// custom-size limits 17384 (largest) and 17385 (smallest), and one 1200-dpi
// Letter.
GMediaPool* AddPool(MPersistentObject& configuration) {
    auto* pool = new GMediaPool(189);
    const auto add = [pool](int16_t paper, int16_t width, int16_t height, int32_t angle, uint16_t dpi) {
        pool->Add(new GMedia("m", {width, height}, {width, height}, {0, 0}, angle, paper, dpi, dpi));
    };
    add(1, 5100, 6600, 0, 600);
    add(23, 4961, 7016, 0, 600);
    add(1, 6600, 5100, 90, 600);
    add(17384, 5200, 7100, 0, 600);
    add(17385, 4000, 6000, 0, 600);
    add(1, 10200, 13200, 0, 1200);
    configuration.Add(pool);
    return pool;
}

TEST(GSettingsAccessorTest, MediaSizesComeFromThePool) {
    Sheet sheet(Tree({{265, 0}}));
    AddPool(sheet.driver.Configuration());
    GUIModel& model = sheet.Open();
    const GSettingsAccessor defaults = model.Defaults();
    struct Case {
        const char* what;
        uint16_t size;
        int32_t angle;
        uint16_t dpi;
        int paper; // -1: none
        int width;
    } cases[] = {
        {"A4", 23, 0, 600, 23, 4961},
        {"Letter turned", 1, 90, 600, 1, 6600},
        {"Letter at 1200 dpi", 1, 0, 1200, 1, 10200},
        {"a paper the pool lacks", 5, 0, 600, -1, 0},
        {"a custom size without an entry", 16384, 0, 600, 1, 5100},
        {"the last custom id", 17383, 90, 600, 1, 6600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GMedia* media = defaults.FindMediaSize(c.size, c.angle, c.dpi);
        if (c.paper < 0) {
            EXPECT_EQ(media, nullptr);
            continue;
        }
        ASSERT_NE(media, nullptr);
        EXPECT_EQ(media->GetPaperId(), c.paper);
        EXPECT_EQ(media->GetSize().x, c.width);
    }
    EXPECT_EQ(model.CurrentSettings().FindMediaSize(23, 0, 600), nullptr) << "no pool in the settings";
}

TEST(GSettingsAccessorTest, ACustomSizeWithAnEntryBecomesTheSheetsCustomMedia) {
    auto tree = Tree({{265, 0}});
    auto* sizes = new GEnumAttribute(276);
    // 8.5 x 11 inches in 1/100 inch.
    sizes->Add(new GCustomMediaSize(16390, "Card", 0, 850, 1100, 0));
    tree->Add(sizes);
    Sheet sheet(std::move(tree));
    AddPool(sheet.driver.Configuration());
    GUIModel& model = sheet.Open();
    const GMedia* media = model.Defaults().FindMediaSize(16390, 0, 600);
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(media->GetSize().x, 5100);
    EXPECT_EQ(media->GetSize().y, 6600);
    EXPECT_EQ(media->GetId(), 0x40000017u);
    EXPECT_EQ(model.FindUIStateAttribute(0x40000017), media) << "kept in composite 283";
    // A second lookup replaces it.
    const GMedia* again = model.Defaults().FindMediaSize(16390, 0, 300);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetSize().x, 2550);
    EXPECT_EQ(model.FindUIStateAttribute(0x40000017), again);
}

TEST(GSettingsAccessorTest, TheCurrentOrientationResolutionAndFitDecideTheSizes) {
    struct Case {
        const char* what;
        int orientation;  // 265; -1: absent
        int dpi;          // 323 and 324 in 249; 0: no node
        int printOnOther; // 270
        std::vector<uint16_t> sizes;
        int firstLetterWidth; // of FindMediaSizeForCurrent(1)
    } cases[] = {
        {"portrait, 600 dpi, within the limits", 0, 600, 0, {1, 23, 17384, 17385}, 5100},
        {"no orientation and no resolution: 0 degrees, 600 dpi", -1, 0, 0, {1, 23, 17384, 17385}, 5100},
        {"landscape: no limits at that angle", 90, 600, 0, {1}, 6600},
        {"1200 dpi", 0, 1200, 0, {1}, 10200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto tree = Tree({{270, static_cast<uint16_t>(c.printOnOther)}});
        if (c.orientation >= 0) tree->Add(new GValueAttribute(static_cast<uint16_t>(c.orientation), 265));
        if (c.dpi != 0)
            AddNode(*tree, 249, {{323, static_cast<uint16_t>(c.dpi)}, {324, static_cast<uint16_t>(c.dpi)}});
        Sheet sheet(std::move(tree));
        AddPool(sheet.driver.Configuration());
        GUIModel& model = sheet.Open();
        std::vector<uint16_t> sizes = {999};
        EXPECT_EQ(model.Defaults().GetList(189, sizes), 1);
        EXPECT_EQ(sizes, c.sizes);
        const GMedia* letter = model.Defaults().FindMediaSizeForCurrent(1);
        ASSERT_NE(letter, nullptr);
        EXPECT_EQ(letter->GetSize().x, c.firstLetterWidth);
    }
}

TEST(GSettingsAccessorTest, OutsideTheLimitsOnlyWhilePrintingOnAnotherPaper) {
    // A4 is narrower than the smallest sheet allowed: listed only with 270 on.
    for (const uint16_t printOnOther : {0, 1}) {
        Sheet sheet(Tree({{270, printOnOther}}));
        GMediaPool* pool = AddPool(sheet.driver.Configuration());
        pool->Add(new GMedia("narrow", {3000, 6500}, {3000, 6500}, {0, 0}, 0, 40, 600, 600));
        std::vector<uint16_t> sizes;
        sheet.Open().Defaults().GetMediaSizeList(sizes);
        const bool listed = std::find(sizes.begin(), sizes.end(), 40) != sizes.end();
        EXPECT_EQ(listed, printOnOther == 1) << "270 = " << printOnOther;
    }
    Sheet none(Tree({}));
    std::vector<uint16_t> sizes = {1};
    EXPECT_EQ(none.Open().Defaults().GetMediaSizeList(sizes), 0);
    EXPECT_TRUE(sizes.empty());
}

} // namespace
