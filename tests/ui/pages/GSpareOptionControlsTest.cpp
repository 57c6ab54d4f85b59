// The option controls that no tab places, on dialog 400 of SPARE.DLL: the
// halftone and colour-map lists of the colour tab's object kind, the ICM
// mode, the check box of one compression bit, the radio pair 7 / 8, the
// stacker button and the accessory controls that read the printer's
// accessory table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/GAttributeComposite.h"
#include "model/GFeatureValueAccessors.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "tests/ui/pages/SparePageTestSupport.h"
#include "ui/pages/GAccessoryPartFeature.h"
#include "ui/pages/GCheck292Feature.h"
#include "ui/pages/GColorMapListWrapper.h"
#include "ui/pages/GEnvelopeFeederFeature.h"
#include "ui/pages/GHalftoneListWrapper.h"
#include "ui/pages/GICMModeWrapper.h"
#include "ui/pages/GRadioPairWrapper.h"
#include "ui/pages/GRasterCompressionBitWrapper.h"
#include "ui/pages/GStackerButtonWrapper.h"
#include "winapi/host/WinUiDriver.h"

namespace {

using namespace sparetest;

template <int Id> const GControlHelpPair* Table() {
    static const GControlHelpPair table[] = {{Id, GWrapper::kNoHelp}, {0, 0}};
    return table;
}

// The colour printer's colour control (colour-defaults.qvpd) holds, per
// object kind (text, graphics, photographs), colour map 70 / 80 / 91 and
// halftone 41 / 51 / 61; its choices (qvcolor.qvpd) are 41/42, 51/52, 61/62
// for the halftones and 70/71, 80/81, 91/92 for the colour maps, labelled
// Detail / Smooth and Vivid / Screen Match.
struct KindCodes {
    uint16_t stored;
    uint16_t other;
};
constexpr KindCodes kHalftones[] = {{41, 42}, {51, 52}, {61, 62}};
constexpr KindCodes kColourMaps[] = {{70, 71}, {80, 81}, {91, 92}};

class ColourListTest : public ::testing::Test {
protected:
    GUIModel* Model() { return sheet_.model.get(); }
    uint16_t Code(int32_t kind, int32_t field) {
        return chromalistEnhancedOption(kind, field, sheet_.Settings());
    }
    // Shows the list of the tab; its texts and data.
    void ShowTab(SparePage& page, int16_t tab) {
        Model()->RuleLevels().SetValue(GSettingId::kColourTab, tab);
        page.Activate();
    }

    SpareLibraries libraries_;
    uitest::ModelPrinterSheet sheet_{"QVCOLOR"};
};

TEST_F(ColourListTest, TheHalftoneListFollowsTheTabAndWritesItsKindsHalftone) {
    for (int16_t tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(tab);
        sheet_.model.reset(); // a fresh sheet for each tab
        sheet_.block.settings = sheet_.driver.NewDefaultSettings();
        sheet_.data.settings = sheet_.block.settings.get();
        sheet_.model = std::make_unique<GUIModel>(&sheet_.data);
        SparePage page(Model(), libraries_.Spare());
        page.Add(std::make_unique<GHalftoneListWrapper>(new GHalftoneListFeature(Model()),
                                                        Table<kHalftoneListId>()));
        HWND dialog = page.Open();
        ShowTab(page, tab);
        const KindCodes codes = kHalftones[tab];
        EXPECT_EQ(WinUiDriver::Items(dialog, kHalftoneListId),
                  (std::vector<std::u16string>{u"Detail", u"Smooth"}));
        EXPECT_EQ(WinUiDriver::ItemData(dialog, kHalftoneListId),
                  (std::vector<ULONG_PTR>{codes.stored, codes.other}));
        EXPECT_EQ(WinUiDriver::Selection(dialog, kHalftoneListId), 0);
        ASSERT_TRUE(WinUiDriver::Select(dialog, kHalftoneListId, 1));
        for (int32_t kind = 0; kind < 3; ++kind) {
            EXPECT_EQ(Code(kind, 1), kind == tab ? codes.other : kHalftones[kind].stored) << kind;
            EXPECT_EQ(Code(kind, 0), kColourMaps[kind].stored) << kind;
        }
    }
}

TEST_F(ColourListTest, TheColourMapListWritesTheColourMapAndIsRefilledWhenTheTabChanges) {
    SparePage page(Model(), libraries_.Spare());
    page.Add(
        std::make_unique<GColorMapListWrapper>(new GColorMapListFeature(Model()), Table<kColourMapListId>()));
    HWND dialog = page.Open();
    EXPECT_EQ(WinUiDriver::Items(dialog, kColourMapListId),
              (std::vector<std::u16string>{u"Vivid", u"Screen Match"}));
    ASSERT_TRUE(WinUiDriver::Select(dialog, kColourMapListId, 1));
    EXPECT_EQ(Code(0, 0), kColourMaps[0].other);
    ShowTab(page, 2);
    EXPECT_EQ(WinUiDriver::ItemData(dialog, kColourMapListId),
              (std::vector<ULONG_PTR>{kColourMaps[2].stored, kColourMaps[2].other}));
    EXPECT_EQ(WinUiDriver::Selection(dialog, kColourMapListId), 0);
    EXPECT_EQ(Code(2, 1), kHalftones[2].stored);
}

TEST(GICMModeTest, TheModeIsReadFromAndWrittenToMatchingAndMethod) {
    const struct {
        uint16_t matching, method;
        int16_t mode;
    } reads[] = {{0, 0, 0}, {0, 2, 0}, {1, 0, 1}, {1, 1, 2}, {1, 2, 2}, {1, 3, 2}, {1, 4, 0}};
    for (const auto& r : reads) {
        SCOPED_TRACE(testing::Message() << r.matching << "," << r.method);
        uitest::Sheet sheet(uitest::Tree({{298, r.matching}, {350, r.method}}));
        EXPECT_EQ(GICMModeFeature(&sheet.Open()).GetValue(), r.mode);
    }
    const struct {
        int16_t mode;
        int matching, method;
    } writes[] = {{2, 1, 1}, {1, 1, 0}, {0, 0, 0}, {5, 0, 0}, {-1, 0, 0}};
    for (const auto& w : writes) {
        SCOPED_TRACE(w.mode);
        uitest::Sheet sheet(uitest::Tree({{298, 1}, {350, 3}}));
        GICMModeFeature feature(&sheet.Open());
        sheet.model->BeginUpdate(nullptr);
        EXPECT_EQ(feature.SetValue(w.mode), 1);
        EXPECT_EQ(sheet.Value(298), w.matching);
        EXPECT_EQ(sheet.Value(350), w.method);
        EXPECT_EQ(feature.WasChanged(), 1);
        sheet.model->EndUpdate();
    }
}

TEST(GICMModeTest, TheComboOffersTheThreeModesAndWritesTheChosenOne) {
    SpareLibraries libraries;
    uitest::ModelPrinterSheet sheet("QVCOLOR");
    SparePage page(sheet.model.get(), libraries.Spare());
    page.Add(std::make_unique<GICMModeWrapper>(new GICMModeFeature(sheet.model.get()), Table<kIcmComboId>()));
    HWND dialog = page.Open();
    EXPECT_EQ(WinUiDriver::Items(dialog, kIcmComboId),
              (std::vector<std::u16string>{u"ICM Disabled (Driver ICM Unaware)",
                                           u"ICM Off (Applications can turn ICM on)",
                                           u"ICM On (Applications can turn ICM off)"}));
    EXPECT_EQ(WinUiDriver::ItemData(dialog, kIcmComboId), (std::vector<ULONG_PTR>{0, 1, 2}));
    EXPECT_EQ(WinUiDriver::Selection(dialog, kIcmComboId), 0);
    ASSERT_TRUE(WinUiDriver::Select(dialog, kIcmComboId, 2));
    EXPECT_EQ(uitest::ValueOf(sheet.Settings(), GSettingId::kColourMatching), 1);
    EXPECT_EQ(uitest::ValueOf(sheet.Settings(), GSettingId::kColourMatchingMethod), 1);
}

class SpareControlTest : public ::testing::Test {
protected:
    SpareLibraries libraries_;
};

TEST_F(SpareControlTest, TheCheckBoxSetsAndClearsBit0x200AndKeepsTheOthers) {
    const struct {
        uint16_t stored;
        UINT shown;
        uint16_t afterClick;
    } cases[] = {{0x0005, BST_UNCHECKED, 0x0205},
                 {0x0205, BST_CHECKED, 0x0005},
                 {0xFFFF, BST_CHECKED, 0xFDFF},
                 {0x0000, BST_UNCHECKED, 0x0200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        uitest::Sheet sheet(uitest::Tree({{297, c.stored}}));
        GUIModel& model = sheet.Open();
        SparePage page(&model, libraries_.Spare());
        page.Add(std::make_unique<GRasterCompressionBitWrapper>(new GValueFeature(&model, 297),
                                                                Table<kBitBoxId>()));
        HWND dialog = page.Open();
        EXPECT_EQ(WinUiDriver::CheckState(dialog, kBitBoxId), c.shown);
        ASSERT_TRUE(WinUiDriver::Click(dialog, kBitBoxId));
        EXPECT_EQ(static_cast<uint16_t>(sheet.Value(297)), c.afterClick);
    }
}

TEST_F(SpareControlTest, TheRadioPairStoresEightForItsSecondButtonElseSeven) {
    const GControlHelpPair table[] = {{kSevenId, GWrapper::kNoHelp}, {kEightId, GWrapper::kNoHelp}, {0, 0}};
    const struct {
        uint16_t stored;
        int shownChecked;
        int click;
        int after;
    } cases[] = {{8, kEightId, kSevenId, 7},
                 {7, kSevenId, kEightId, 8},
                 {3, kSevenId, kEightId, 8},
                 {3, kSevenId, kSevenId, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << " click " << c.click);
        uitest::Sheet sheet(uitest::Tree({{274, c.stored}}));
        GUIModel& model = sheet.Open();
        SparePage page(&model, libraries_.Spare());
        page.Add(std::make_unique<GRadioPairWrapper>(new GValueFeature(&model, 274), table));
        HWND dialog = page.Open();
        EXPECT_EQ(WinUiDriver::CheckState(dialog, c.shownChecked), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(WinUiDriver::CheckState(dialog, c.shownChecked == kSevenId ? kEightId : kSevenId),
                  static_cast<UINT>(BST_UNCHECKED));
        ASSERT_TRUE(WinUiDriver::Click(dialog, c.click));
        EXPECT_EQ(sheet.Value(274), c.after);
    }
}

// A product table of two finishing-side accessories and an input tray.
void AddAccessories(MPersistentObject& configuration) {
    auto* product = new GAttributeComposite(GSettingId::kProductTable);
    auto* accessories = new GAttributeComposite(GSettingId::kAccessories);
    const struct {
        const char* identifier;
        const char* part;
        const char* model;
        uint16_t role, kind;
    } rows[] = {{"ACC-IN", "P-100", "IN9", 1, 0},
                {"ACC-MB", "P-200", "MB2", 6, 2},
                {"ACC-ST", "P-300", "ST10", 8, 10},
                {"ACC-SS", "P-400", "SS7", 3, 0}};
    for (const auto& row : rows) {
        auto* entry = new GAttributeComposite(0);
        entry->Add(new GStringAttribute(row.identifier, GSettingId::kAccessoryIdentifier));
        entry->Add(new GStringAttribute(row.part, GSettingId::kAccessoryPartNumber));
        entry->Add(new GStringAttribute(row.model, GSettingId::kAccessoryModelCode));
        entry->Add(new GValueAttribute(row.role, GSettingId::kAccessoryRole));
        entry->Add(new GValueAttribute(row.kind, GSettingId::kAccessoryKind));
        accessories->Add(entry);
    }
    product->Add(accessories);
    configuration.Add(product);
}

std::unique_ptr<GAttributeComposite> UnitSettings(const char* input, const char* output, uint16_t asked) {
    auto settings = uitest::Tree({{GSettingId::kOptionalOutputAsked, asked}});
    settings->Add(new GStringAttribute(input, GSettingId::kOptionalInputUnit));
    settings->Add(new GStringAttribute(output, GSettingId::kOptionalOutputUnit));
    return settings;
}

TEST_F(SpareControlTest, TheStackerButtonIsShownOnlyForTheStackerKindAndUsableForValue1) {
    const struct {
        const char* unit;
        uint16_t value;
        bool visible, enabled;
    } cases[] = {{"ST10", 1, true, true},   {"ST10", 0, true, false}, {"MB2", 1, false, false},
                 {"st10", 1, false, false}, {"", 1, false, false},    {"IN9", 1, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.unit << " " << c.value);
        uitest::Sheet sheet(UnitSettings("", c.unit, c.value));
        AddAccessories(sheet.driver.Configuration());
        GUIModel& model = sheet.Open();
        SparePage page(&model, libraries_.Spare());
        auto* feature = new GStackerKindFeature(&model, GSettingId::kOptionalOutputAsked);
        page.Add(
            std::make_unique<GStackerButtonWrapper>(feature, Table<kStackerButtonId>(), kStackerTemplate, 0));
        HWND dialog = page.Open();
        EXPECT_EQ(WinUiDriver::IsVisible(dialog, kStackerButtonId), c.visible);
        EXPECT_EQ(WinUiDriver::IsEnabled(dialog, kStackerButtonId), c.enabled);
    }
    // The colour printer's stapler/stacker is of another kind.
    uitest::ModelPrinterSheet colour("QVCOLOR");
    GStackerKindFeature feature(colour.model.get(), GSettingId::kOptionalOutputAsked);
    EXPECT_EQ(colour.model->CurrentSettings().SetString(GSettingId::kOptionalOutputUnit, "SS3000"), 1);
    EXPECT_EQ(feature.OutputUnitKind(), 8);
}

TEST(GAccessoryPartTest, TheFinishingUnitIsFourAndWritingFourNamesIt) {
    const struct {
        const char* inUse;
        int16_t value;
    } reads[] = {{"P-400", 4}, {"P-100", 0}, {"P-300", 0}, {"", 0}, {"p-400", 0}};
    for (const auto& r : reads) {
        SCOPED_TRACE(r.inUse);
        uitest::Sheet sheet(UnitSettings(r.inUse, "", 0));
        AddAccessories(sheet.driver.Configuration());
        EXPECT_EQ(GAccessoryPartFeature(&sheet.Open()).GetValue(), r.value);
    }
    uitest::Sheet sheet(UnitSettings("P-100", "", 0));
    AddAccessories(sheet.driver.Configuration());
    GAccessoryPartFeature feature(&sheet.Open());
    RWCString text;
    EXPECT_EQ(feature.SetValue(4), 1);
    sheet.model->CurrentSettings().GetString(GSettingId::kOptionalInputUnit, text);
    EXPECT_EQ(text, RWCString("P-400"));
    int16_t mark = 0;
    EXPECT_EQ(sheet.model->RuleLevels().GetValue(GSettingId::kQuickSetPoolScratch, mark), 1);
    EXPECT_EQ(mark, 4);
    EXPECT_EQ(feature.GetValue(), 4);
    EXPECT_EQ(feature.SetValue(3), 1);
    sheet.model->CurrentSettings().GetString(GSettingId::kOptionalInputUnit, text);
    EXPECT_EQ(text, RWCString(""));
    // Without a finishing unit in the table, 4 cannot be written.
    uitest::Sheet bare(UnitSettings("P-100", "", 0));
    GAccessoryPartFeature none(&bare.Open());
    EXPECT_EQ(none.SetValue(4), 0);
    bare.model->CurrentSettings().GetString(GSettingId::kOptionalInputUnit, text);
    EXPECT_EQ(text, RWCString("P-100"));
}

TEST(GSpareFeaturesTest, CollationAndTheEnvelopeFeederFeatures) {
    uitest::Sheet sheet(uitest::Tree({{292, 0}, {313, 2}, {275, 0}}));
    GUIModel& model = sheet.Open();
    GCheck292Feature collate(&model);
    const struct {
        int16_t written;
        int stored;
    } writes[] = {{1, 1}, {2, 0}, {1, 1}, {-1, 0}};
    for (const auto& w : writes) {
        EXPECT_EQ(collate.SetChecked(w.written), 1);
        EXPECT_EQ(sheet.Value(292), w.stored) << w.written;
    }
    EXPECT_EQ(collate.DiscoveryResult(), 2);

    GEnvelopeFeederFeature feeder(&model);
    EXPECT_EQ(feeder.GetState(), 2);
    EXPECT_EQ(model.CurrentSettings().SetValue(313, 1), 1);
    EXPECT_EQ(feeder.GetState(), 1);
    EXPECT_EQ(sheet.driver.appliedTo, nullptr);
    EXPECT_EQ(feeder.SetValue(1), 1);
    EXPECT_EQ(sheet.Value(275), 1);
    EXPECT_EQ(sheet.driver.appliedTo, sheet.Settings());
}

} // namespace
