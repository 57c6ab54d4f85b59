// The print-quality presets as a feature over the colour model printer's
// bundles: which preset the settings equal, what choosing one copies, and
// the resolution entries both ways.
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>

#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "ui/pages/GOptimizePQFeature.h"
#include "ui/pages/GPrintQualityPresets.h"
#include "ui/pages/GResolutionFeature.h"

// A named namespace keeps the using-directive to this file in a unity batch.
namespace pqpresettest {

using namespace GSettingId;
using Presets = GPrintQualityPresets;

// The colour printer's presets: Best Quality 600 x 600 with 2 bits, Faster
// Printing the same with 1 bit; both with edge level 4, page protection 1,
// scale patterns 1 and the rest 0. Fresh settings hold Best Quality.
class PrintQualityPresetsTest : public ::testing::Test {
protected:
    GUIModel* Model() { return sheet_.model.get(); }
    MPersistentObject* Configuration() { return sheet_.driver.GetPrinterConfiguration(); }
    MPersistentObject* Node(MPersistentObject* tree, uint32_t id) { return tree->FindById(id); }
    int Value(uint32_t id) { return uitest::ValueOf(sheet_.Settings(), id); }
    void Set(uint32_t id, int16_t value) {
        ASSERT_EQ(Model()->CurrentSettings().SetValue(id, value), 1) << id;
    }
    // Adds a value to a node of the printer's configuration or settings.
    static void AddTo(MPersistentObject* node, uint32_t id, int16_t value) {
        ASSERT_NE(node, nullptr);
        node->Add(new GValueAttribute(static_cast<uint16_t>(value), id));
    }

    uitest::ModelPrinterSheet sheet_{"QVCOLOR"};
};

TEST_F(PrintQualityPresetsTest, TheSettingsMatchThePresetWhoseBundleTheyEqual) {
    const struct {
        const char* what;
        uint32_t id;
        int16_t value;
        int16_t expected;
    } cases[] = {
        {"fresh settings", kEdgeEnhancement, 4, Presets::kBestQuality},
        {"any positive edge level counts as 4", kEdgeEnhancement, 2, Presets::kBestQuality},
        {"edges off", kEdgeEnhancement, 0, Presets::kCustom},
        {"edge to edge undecided", kEdgeToEdge, -1, Presets::kBestQuality},
        {"edge to edge on", kEdgeToEdge, 1, Presets::kCustom},
        {"1 bit", kBitsPerPixel, 1, Presets::kFasterPrinting},
        {"1200 dpi", kXResolution, 1200, Presets::kCustom},
        {"page protection", kPageProtection, 0, Presets::kCustom},
        {"rendering mode", kRenderingMode, 1, Presets::kCustom},
        {"scale patterns", kScalePatterns, 0, Presets::kCustom},
        {"TrueType as bitmaps", kTrueTypeAsBitmaps, 1, Presets::kCustom},
        {"text as black", kTextAsBlack, 1, Presets::kCustom},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string before = uitest::Saved(*sheet_.Settings());
        Model()->BeginUpdate(nullptr);
        Set(c.id, c.value);
        Presets presets(Model());
        EXPECT_EQ(presets.Match(), c.expected);
        Model()->UndoAll();
        Model()->EndUpdate();
        ASSERT_EQ(uitest::Saved(*sheet_.Settings()), before);
    }
}

TEST_F(PrintQualityPresetsTest, ColourRenderingMembersTakePartOnlyWhenThePrinterSaysSo) {
    // With 593 set, the bundles' missing members (0) meet the assumed values
    // of the missing settings (1, 1060, 450): no preset matches.
    ASSERT_EQ(GSettingsAccessor(Configuration(), nullptr).SetValue(kPresetColourRenderingMembers, 1), 1);
    EXPECT_EQ(Presets(Model()).Match(), Presets::kCustom);
    MPersistentObject* best = Node(Configuration(), kBestQualityPreset);
    AddTo(best, kPresetColourRendering582, 1);
    AddTo(best, kPresetColourRendering583, 1060);
    AddTo(best, kPresetColourRendering584, 450);
    EXPECT_EQ(Presets(Model()).Match(), Presets::kBestQuality);
    // Without 593 the members are left out whatever they hold.
    ASSERT_EQ(GSettingsAccessor(Configuration(), nullptr).SetValue(kPresetColourRenderingMembers, 0), 1);
    AddTo(Node(sheet_.Settings(), kDocumentGroup), kPostScriptColourRendering, 7);
    EXPECT_EQ(Presets(Model()).Match(), Presets::kBestQuality);
}

TEST_F(PrintQualityPresetsTest, ApplyCopiesTheBundleAndCustomRestoresTheSavedOne) {
    Presets presets(Model());
    presets.Apply(Presets::kFasterPrinting);
    EXPECT_EQ(Value(kBitsPerPixel), 1);
    EXPECT_EQ(presets.Match(), Presets::kFasterPrinting);
    // The user's own combination is kept in 328 and comes back with Custom.
    Set(kTextAsBlack, 1);
    Set(kEdgeEnhancement, 0);
    presets.SaveCustom();
    MPersistentObject* custom = Node(sheet_.Settings(), kCustomQualityPreset);
    EXPECT_EQ(uitest::ValueOf(custom, kPresetTextAsBlack), 1);
    EXPECT_EQ(uitest::ValueOf(custom, kPresetEdgeEnhancement), 0);
    EXPECT_EQ(uitest::ValueOf(custom, kPresetBitsPerPixel), 1);
    presets.Apply(Presets::kBestQuality);
    EXPECT_EQ(Value(kTextAsBlack), 0);
    EXPECT_EQ(Value(kEdgeEnhancement), 4);
    EXPECT_EQ(Value(kBitsPerPixel), 2);
    presets.Apply(Presets::kCustom);
    EXPECT_EQ(Value(kTextAsBlack), 1);
    EXPECT_EQ(Value(kEdgeEnhancement), 0);
    EXPECT_EQ(Value(kBitsPerPixel), 1);
    EXPECT_EQ(presets.Match(), Presets::kCustom);
}

TEST_F(PrintQualityPresetsTest, CustomWithoutItsBundleChangesNothing) {
    ASSERT_NE(Node(sheet_.Settings(), kDocumentGroup)->RemoveById(kCustomQualityPreset), nullptr);
    Set(kTextAsBlack, 1);
    const std::string before = uitest::Saved(*sheet_.Settings());
    Presets presets(Model());
    presets.SaveCustom();
    presets.Apply(Presets::kCustom);
    EXPECT_EQ(uitest::Saved(*sheet_.Settings()), before);
}

TEST_F(PrintQualityPresetsTest, FineModesTakePartOnlyWhenTheSettingsHeld910AtTheStart) {
    MPersistentObject* best = Node(Configuration(), kBestQualityPreset);
    AddTo(best, kPresetFineResolutionMode, 1);
    AddTo(Node(best, kPresetResolution), kPresetFineResolutionDetail, 141);
    AddTo(Node(sheet_.Settings(), kResolution), kFineResolutionDetail, 0);

    // Made before 910 exists: 910-913 are left out of every operation.
    Presets without(Model());
    AddTo(Node(sheet_.Settings(), kDocumentGroup), kFineResolutionMode, 0);
    EXPECT_EQ(without.Match(), Presets::kBestQuality);
    without.Apply(Presets::kBestQuality);
    EXPECT_EQ(Value(kFineResolutionMode), 0);
    EXPECT_EQ(Value(kFineResolutionDetail), 0);
    Model()->BeginUpdate(nullptr);
    Set(kFineResolutionDetail, 180);
    EXPECT_EQ(without.AnyChanged(), 0);
    Model()->EndUpdate();

    // Made with 910: they are compared and copied.
    Presets with(Model());
    EXPECT_EQ(with.Match(), Presets::kCustom);
    with.Apply(Presets::kBestQuality);
    EXPECT_EQ(Value(kFineResolutionMode), 1);
    EXPECT_EQ(Value(kFineResolutionDetail), 141);
    EXPECT_EQ(with.Match(), Presets::kBestQuality);
    Model()->BeginUpdate(nullptr);
    Set(kFineResolutionDetail, 180);
    EXPECT_EQ(with.AnyChanged(), 1);
    Model()->EndUpdate();
}

TEST_F(PrintQualityPresetsTest, AnyChangedSeesTheMembersOfThisUpdateOnly) {
    Presets presets(Model());
    Model()->BeginUpdate(nullptr);
    EXPECT_EQ(presets.AnyChanged(), 0);
    Set(kPaperSource, 1);
    EXPECT_EQ(presets.AnyChanged(), 0);
    Set(kYResolution, 300);
    EXPECT_EQ(presets.AnyChanged(), 1);
    Model()->EndUpdate();
    Model()->BeginUpdate(nullptr);
    EXPECT_EQ(presets.AnyChanged(), 0);
    Model()->EndUpdate();
}

// The resolution entries: values to entry and entry to values.
class ResolutionEntriesTest : public PrintQualityPresetsTest {
protected:
    void WithFineModes() {
        AddTo(Node(sheet_.Settings(), kDocumentGroup), kFineResolutionMode, 1);
        AddTo(Node(sheet_.Settings(), kResolution), kFineResolutionDetail, 0);
    }
};

TEST_F(ResolutionEntriesTest, ValuesGiveTheirEntry) {
    const struct {
        int16_t x, y, bits, fine;
        int16_t plain, fineMode;
    } cases[] = {
        {300, 300, 1, 0, 3, 3},     {600, 600, 2, 0, 0, 0},     {600, 600, 1, 0, 2, 2},
        {1200, 1200, 1, 0, 1, 1},   {1200, 1200, 2, 0, 1, 1},   {1200, 1200, 1, 141, 1, 4},
        {1200, 1200, 1, 180, 1, 5}, {1200, 1200, 1, 212, 1, 6}, {1200, 1200, 1, 100, 1, 2},
        {1200, 1200, 1, 300, 1, 2}, {300, 300, 2, 0, 2, 2},     {720, 720, 1, 0, 2, 2},
        {600, 300, 1, 0, 2, 2},
    };
    const GResolutionFeature plain(Model());
    WithFineModes();
    const GResolutionFeature fine(Model());
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "/" << c.y << "/" << c.bits << "/" << c.fine);
        EXPECT_EQ(plain.EntryOf(c.x, c.y, c.bits, c.fine), c.plain);
        EXPECT_EQ(fine.EntryOf(c.x, c.y, c.bits, c.fine), c.fineMode);
    }
}

TEST_F(ResolutionEntriesTest, AnEntryWritesItsResolutionAndEdgeLevel) {
    struct Written {
        int16_t entry;
        int x, bits, fine, edges;
    };
    // Without the fine modes 911 stays as it is (absent: -999); the edge
    // level only goes off for 1200 dpi.
    const Written plain[] = {{0, 600, 2, -999, 3}, {1, 1200, 1, -999, 0}, {2, 600, 1, -999, 3},
                             {3, 300, 1, -999, 3}, {5, 600, 1, -999, 3},  {9, 600, 1, -999, 3}};
    const Written fine[] = {{0, 600, 2, 0, 4},     {1, 1200, 1, 0, 0},    {3, 300, 1, 0, 4},
                            {4, 1200, 1, 141, -1}, {5, 1200, 1, 180, -1}, {6, 1200, 1, 212, 0},
                            {9, 600, 1, 0, 4}};
    for (const bool fineModes : {false, true}) {
        if (fineModes) WithFineModes();
        GResolutionFeature resolution(Model());
        for (const Written& w :
             fineModes ? std::span<const Written>(fine) : std::span<const Written>(plain)) {
            SCOPED_TRACE(testing::Message() << "fine " << fineModes << " entry " << w.entry);
            Set(kEdgeEnhancement, 3);
            EXPECT_EQ(resolution.SetValue(w.entry), 1);
            EXPECT_EQ(Value(kXResolution), w.x);
            EXPECT_EQ(Value(kYResolution), w.x);
            EXPECT_EQ(Value(kBitsPerPixel), w.bits);
            EXPECT_EQ(Value(kFineResolutionDetail), w.fine);
            EXPECT_EQ(Value(kEdgeEnhancement), w.edges);
            // An entry the table does not have reads back as 600 dpi.
            const bool known = w.entry <= (fineModes ? 6 : 3);
            EXPECT_EQ(resolution.GetValue(), known ? w.entry : GResolutionFeature::k600);
        }
    }
}

TEST(OptimizePQFeatureTest, WritingHasTheDependentSettingsDerivedAnewAndNeedsPjl) {
    uitest::Sheet sheet(uitest::Tree({{kOptimisePrintQuality, 0}, {kSendPjl, 0}}));
    GOptimizePQFeature optimise(&sheet.Open());
    EXPECT_EQ(optimise.GetState(), GFeature::kDisabled);
    ASSERT_EQ(sheet.model->CurrentSettings().SetValue(kSendPjl, 1), 1);
    EXPECT_EQ(optimise.GetState(), GFeature::kEnabled);
    EXPECT_EQ(sheet.driver.appliedTo, nullptr);
    EXPECT_EQ(optimise.SetValue(1), 1);
    EXPECT_EQ(sheet.Value(kOptimisePrintQuality), 1);
    EXPECT_EQ(sheet.driver.appliedTo, sheet.Settings());
}

} // namespace pqpresettest
