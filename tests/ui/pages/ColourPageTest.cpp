// The Color tab as its builder makes it over the colour model printer:
// automatic and manual colour against the printer's presets and the media
// types, the Manual Color Options dialog (its six colour codes, its
// description, Cancel), grayscale, and the PostScript colour options that
// only a PostScript writer shows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/GConfiguration.h"
#include "model/GCountedPtr.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "rw/RWCString.h"
#include "tests/ui/framework/DialogTestSupport.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "tests/ui/pages/BuiltPageFixture.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/pages/ColourPageBuilder.h"
#include "ui/pages/GChromalistCodes.h"
#include "ui/pages/GChromalistOptionFeature.h"
#include "ui/pages/GColorModeFeature.h"
#include "ui/pages/GPaperTypeKeys.h"
#include "winapi/WinUser.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

namespace {

constexpr int kAutomatic = 14002;
constexpr int kManual = 14003;
constexpr int kModePicture = 14001;
constexpr int kOptions = 14004;
constexpr int kGrayscale = 14116;
constexpr int kCalibration = 13526;
constexpr int kInkset = 13525;
constexpr int kInksetLabel = 13530;
constexpr WORD kManualDialog = 14501;
constexpr int kTextHalftone = 13508;
constexpr int kDescription = 13523;
// The PostScript controls and the group box and note around them.
constexpr int kPostScriptControls[] = {13525, 13526, 13527, 13528, 13530};
// The six colour-code combos in kind order, colour map then halftone.
constexpr int kCodeCombos[] = {13506, 13508, 13511, 13513, 13516, 13518};

const char16_t kAutomaticText[] = u"This is the \"Automatic\" Chromalist setting";
const char16_t kCustomText[] = u"This is a \"Custom\" Chromalist setting";

// A printer configuration that only names its writer kind.
GCountedPtr ConfigurationOfWriter(uint16_t kind) {
    GCountedPtr configuration(new GConfiguration(GSettingId::kConfigurationTree));
    configuration->Add(new GValueAttribute(kind, GSettingId::kWriterKind));
    return configuration;
}

class ColourPageTest : public pagetest::BuiltPageFixture {
protected:
    MPersistentObject* PrinterConfiguration() { return sheet_.driver.GetPrinterConfiguration(); }
    HWND Open(MPersistentObject* printerConfiguration) {
        return OpenBuilt([printerConfiguration](PROPSHEETPAGEW& record, GUIModel* model) {
            return BuildColourPage(record, model, 1, printerConfiguration);
        });
    }
    HWND Open() { return Open(PrinterConfiguration()); }
    void StoreMediaTypes(uint16_t first, uint16_t others) {
        RWCString key;
        ASSERT_TRUE(GPaperType::KeyOfId(first, key));
        ASSERT_EQ(Model()->CurrentSettings().SetString(GSettingId::kMediaType, key), 1);
        ASSERT_TRUE(GPaperType::KeyOfId(others, key));
        ASSERT_EQ(Model()->CurrentSettings().SetString(GSettingId::kOtherPagesMediaType, key), 1);
    }
    MPersistentObject* Control() { return sheet_.Settings()->FindById(GSettingId::kColourControl); }
    // Whether the colour control in use holds the codes of the preset.
    bool ControlIsPreset(uint32_t presetId) {
        return GChromalistCodes::Same(Control(), PrinterConfiguration()->FindById(presetId));
    }
    // Sets the text halftone (kind 0, field 1) to a code of the model printer.
    void SetTextHalftone(int16_t code) {
        GChromalistOptionFeature halftone(Model(), GSettingId::kDocumentGroup, GSettingId::kColourControl,
                                          GSettingId::kHalftoneChoicesText, 0,
                                          GChromalistOptionFeature::kHalftoneField);
        ASSERT_EQ(halftone.SetValue(code), 1);
    }
    // Runs the Manual Color Options from the Options button with the actions.
    void RunOptions(WinUiScript actions) {
        WinUiDriver::QueueDialogScript(kManualDialog, std::move(actions));
        ASSERT_TRUE(WinUiDriver::Click(window_, kOptions));
    }
};

TEST_F(ColourPageTest, SetModeFollowsTheMediaTypesAndCopiesTheirPreset) {
    constexpr uint16_t kPlain = GPaperType::kPlain;
    constexpr uint16_t kClear = GPaperType::kTransparency;
    const struct {
        uint16_t first, others;
        int16_t asked, mode;
        uint32_t preset; // 0: the control is left as it was
    } cases[] = {
        {kPlain, kPlain, 7, 7, GSettingId::kAutoColourControl},
        {kPlain, kPlain, 10, 7, GSettingId::kAutoColourControl},
        {kClear, kClear, 7, 8, GSettingId::kTransparencyColourControl},
        {kClear, kPlain, 7, 9, GSettingId::kTransparencyColourControl},
        {kPlain, kClear, 8, 10, GSettingId::kTransparencyColourControl},
        {kClear, kClear, 6, 6, 0},
        {kPlain, kPlain, 1, 6, 0},
        {kPlain, kPlain, 11, 6, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << "/" << c.others << " asked " << c.asked);
        StoreMediaTypes(c.first, c.others);
        SetTextHalftone(42); // off every preset
        GColorModeFeature(Model()).SetMode(c.asked);
        EXPECT_EQ(Stored(GSettingId::kColourMode), c.mode);
        if (c.preset != 0) {
            EXPECT_TRUE(ControlIsPreset(c.preset));
        } else {
            EXPECT_FALSE(ControlIsPreset(GSettingId::kAutoColourControl));
            EXPECT_FALSE(ControlIsPreset(GSettingId::kTransparencyColourControl));
        }
    }
}

TEST_F(ColourPageTest, ManualCodesEqualToThePresetShowAutomaticAndBring304UpToDateByARecordedWrite) {
    ASSERT_TRUE(ControlIsPreset(GSettingId::kAutoColourControl));
    Store(GSettingId::kColourMode, 6);
    HWND page = Open();
    EXPECT_EQ(WinUiDriver::CheckState(page, kAutomatic), BST_CHECKED);
    EXPECT_EQ(WinUiDriver::CheckState(page, kManual), BST_UNCHECKED);
    EXPECT_EQ(Stored(GSettingId::kColourMode), 7);

    // The write of 304 is recorded: a snapshot taken before gives 6 back.
    Store(GSettingId::kColourMode, 6);
    Model()->PushSnapshot();
    EXPECT_EQ(GColorModeFeature(Model()).GetMode(), 7);
    Model()->PopSnapshot(1);
    EXPECT_EQ(Stored(GSettingId::kColourMode), 6);

    // A code off the preset is manual, and GetMode leaves 304 alone then.
    SetTextHalftone(42);
    EXPECT_EQ(GColorModeFeature(Model()).GetMode(), 6);
    EXPECT_EQ(Stored(GSettingId::kColourMode), 6);
}

TEST_F(ColourPageTest, ATransparencyWhileAutomaticShowsManualUntilAutomaticIsChosenAgain) {
    HWND page = Open();
    ASSERT_EQ(WinUiDriver::CheckState(page, kAutomatic), BST_CHECKED);
    StoreMediaTypes(GPaperType::kTransparency, GPaperType::kPlain);
    Activate();
    EXPECT_EQ(WinUiDriver::CheckState(page, kAutomatic), BST_UNCHECKED);
    EXPECT_EQ(WinUiDriver::CheckState(page, kManual), BST_CHECKED);
    EXPECT_EQ(Stored(GSettingId::kColourMode), 7) << "GetMode only answers manual";

    ASSERT_TRUE(WinUiDriver::Click(page, kAutomatic));
    EXPECT_EQ(Stored(GSettingId::kColourMode), 9);
    EXPECT_TRUE(ControlIsPreset(GSettingId::kTransparencyColourControl));
    EXPECT_EQ(WinUiDriver::CheckState(page, kAutomatic), BST_CHECKED);

    // Manual over the preset's codes is shown as Automatic again at once.
    ASSERT_TRUE(WinUiDriver::Click(page, kManual));
    EXPECT_EQ(WinUiDriver::CheckState(page, kAutomatic), BST_CHECKED);
    EXPECT_EQ(Stored(GSettingId::kColourMode), 9);
    // Over codes of its own it stays, and keeps them.
    SetTextHalftone(42);
    ASSERT_TRUE(WinUiDriver::Click(page, kManual));
    EXPECT_EQ(WinUiDriver::CheckState(page, kManual), BST_CHECKED);
    EXPECT_EQ(Stored(GSettingId::kColourMode), 6);
    uint8_t code = 0;
    ASSERT_EQ(GChromalistCodes::Get(Control(), 0, GChromalistOptionFeature::kHalftoneField, code), 1);
    EXPECT_EQ(code, 42);
}

TEST_F(ColourPageTest, GrayscaleAndThePictureOnTheModelPrinter) {
    HWND page = Open();
    EXPECT_EQ(WinUiDriver::CheckState(page, kGrayscale), BST_UNCHECKED);
    ASSERT_TRUE(WinUiDriver::Click(page, kGrayscale));
    EXPECT_EQ(Stored(GSettingId::kGreyscale), 1);
    ASSERT_TRUE(WinUiDriver::Click(page, kGrayscale));
    EXPECT_EQ(Stored(GSettingId::kGreyscale), 0);
    Store(GSettingId::kGreyscale, 3); // greyscale too, but not the box's 1
    Activate();
    EXPECT_EQ(WinUiDriver::CheckState(page, kGrayscale), BST_UNCHECKED);
    EXPECT_TRUE(WinUiDriver::IsEnabled(page, kManual));
    EXPECT_NE(WinUiDriver::DrawItem(page, kModePicture), nullptr);
    EXPECT_TRUE(pagetest::WritePagePicture(page, "colour-page.png"));
}

TEST_F(ColourPageTest, OnlyAPostScriptWriterShowsTheInksetAndCalibration) {
    // The colour printer's settings as a PostScript printer would hold them.
    MPersistentObject* group = sheet_.Settings()->FindById(GSettingId::kDocumentGroup);
    ASSERT_NE(group, nullptr);
    group->Add(new GValueAttribute(2, GSettingId::kCmykInksetEmulation));
    group->Add(new GValueAttribute(0, GSettingId::kAutoColourCalibration));
    auto* inksets = new MAssociationList(GSettingId::kCmykInksetChoices);
    for (const auto& [code, label] : {std::pair{1, 11301}, std::pair{2, 11302}, std::pair{3, 0xFFF0}})
        inksets->Add(new MPersistentAssociation(new GValueAttribute(static_cast<uint16_t>(code), 0),
                                                new GValueAttribute(static_cast<uint16_t>(label), 0)));
    PrinterConfiguration()->Add(inksets);

    const GCountedPtr pcl5 = ConfigurationOfWriter(788);
    const GCountedPtr postScript = ConfigurationOfWriter(768);
    const struct {
        const char* what;
        MPersistentObject* configuration;
        bool shown;
    } cases[] = {{"PCL XL (the model printer)", PrinterConfiguration(), false},
                 {"PCL 5", pcl5.Get(), false},
                 {"PostScript", postScript.Get(), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HWND page = Open(c.configuration);
        for (const int id : kPostScriptControls) {
            EXPECT_EQ(WinUiDriver::IsVisible(page, id), c.shown) << id;
            EXPECT_EQ(WinUiDriver::IsEnabled(page, id), c.shown) << id;
        }
    }
    HWND page = Open(postScript.Get());
    // The unloadable label is left out; the stored code is selected.
    EXPECT_EQ(WinUiDriver::Items(page, kInkset), (std::vector<std::u16string>{u"Vivid", u"Screen Match"}));
    EXPECT_EQ(WinUiDriver::Selection(page, kInkset), 1);
    ASSERT_TRUE(WinUiDriver::Select(page, kInkset, 0));
    EXPECT_EQ(Stored(GSettingId::kCmykInksetEmulation), 1);
    ASSERT_TRUE(WinUiDriver::Click(page, kCalibration));
    EXPECT_EQ(Stored(GSettingId::kAutoColourCalibration), 1);
    EXPECT_TRUE(WinUiDriver::IsVisible(page, kInksetLabel));
    EXPECT_TRUE(pagetest::WritePagePicture(page, "colour-page-postscript.png"));
}

TEST_F(ColourPageTest, TheManualOptionsShowTheSixCodesAndCancelLeavesTheSettingsByteForByte) {
    HWND page = Open();
    std::vector<std::vector<std::u16string>> items;
    std::vector<std::vector<ULONG_PTR>> data;
    std::vector<LONG_PTR> selections;
    std::u16string description;
    const std::string before = uitest::Saved(*sheet_.Settings());
    RunOptions({WinUiActions::Do("read the combos",
                                 [&](HWND dialog) {
                                     for (const int id : kCodeCombos) {
                                         items.push_back(WinUiDriver::Items(dialog, id));
                                         data.push_back(WinUiDriver::ItemData(dialog, id));
                                         selections.push_back(WinUiDriver::Selection(dialog, id));
                                     }
                                     description = WinUiDriver::Text(dialog, kDescription);
                                     return pagetest::WritePagePicture(dialog, "manual-colour-options.png");
                                 }),
                WinUiActions::Select(kTextHalftone, 1), WinUiActions::Select(13516, 1),
                WinUiActions::Click(IDCANCEL)});
    const std::vector<std::u16string> maps{u"Vivid", u"Screen Match"};
    const std::vector<std::u16string> halftones{u"Detail", u"Smooth"};
    EXPECT_EQ(items,
              (std::vector<std::vector<std::u16string>>{maps, halftones, maps, halftones, maps, halftones}));
    // The codes of preset 208 (70 41 80 51 91 61): the first item of each.
    EXPECT_EQ(data, (std::vector<std::vector<ULONG_PTR>>{
                        {70, 71}, {41, 42}, {80, 81}, {51, 52}, {91, 92}, {61, 62}}));
    EXPECT_EQ(selections, (std::vector<LONG_PTR>(6, 0)));
    EXPECT_EQ(description, kCustomText) << "304 is 7";
    EXPECT_EQ(uitest::Saved(*sheet_.Settings()), before);

    // OK keeps the codes: text halftone 42, photographs' colour map 92;
    // the page then shows manual.
    RunOptions(
        {WinUiActions::Select(kTextHalftone, 1), WinUiActions::Select(13516, 1), WinUiActions::Click(IDOK)});
    uint8_t code = 0;
    ASSERT_EQ(GChromalistCodes::Get(Control(), 0, 1, code), 1);
    EXPECT_EQ(code, 42);
    ASSERT_EQ(GChromalistCodes::Get(Control(), 2, 0, code), 1);
    EXPECT_EQ(code, 92);
    EXPECT_EQ(WinUiDriver::CheckState(page, kManual), BST_CHECKED);
}

TEST_F(ColourPageTest, TheDescriptionNamesCustomForModes7To10AndAutomaticOtherwise) {
    Open();
    for (const int16_t mode : {6, 7, 8, 9, 10, 11}) {
        SCOPED_TRACE(mode);
        // Stored after the page has shown, so the dialog reads 304 as it is.
        Store(GSettingId::kColourMode, mode);
        std::u16string text;
        RunOptions({WinUiActions::Do("read the description",
                                     [&](HWND dialog) {
                                         text = WinUiDriver::Text(dialog, kDescription);
                                         return true;
                                     }),
                    WinUiActions::Click(IDCANCEL)});
        EXPECT_EQ(text, mode >= 7 && mode <= 10 ? kCustomText : kAutomaticText);
    }
}

} // namespace
