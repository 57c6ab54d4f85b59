// The print-quality controls on the Finishing template (3000) of the
// module's resources: the preset radios and the Details button, which runs
// the Print Quality Details dialog of the printer's language.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GValueAttribute.h"
#include "tests/ui/framework/ModelPrinterSheet.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "tests/ui/pages/BuiltPageFixture.h"
#include "tests/ui/pages/SparePageTestSupport.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/pages/PrintQualityControls.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"

// A named namespace keeps the using-directive to this file in a unity batch.
namespace pqcontrolstest {

using namespace GSettingId;
using pagetest::CheckStep;
using sparetest::SpareLibraries;
using sparetest::SparePage;

constexpr WORD kFinishingTemplate = 3000;
constexpr WORD kPclDetails = 9000;
constexpr WORD kPostScriptDetails = 13000;
constexpr int kBestQualityRadio = 3031;
constexpr int kSecondPresetRadio = 3032;
constexpr int kCustomRadio = 3033;
constexpr int kDetailsButton = 3034;
constexpr int kCurrentSettingText = 9002;
constexpr int kTrueTypeBox = 3021;
constexpr int kRenderingLabel = 9020;
constexpr int kGraphicsAsRaster = 9023;
constexpr int kPageAsRaster = 9024;
constexpr int kScalePatternsBox = 9016;
constexpr int kManualDuplexBox = 9030;
constexpr int kTextAsBlackBox = 6044;
constexpr int kOptimizePqBox = 9032;
constexpr int kResolutionList = 9009;
constexpr int kVariableDataBox = 9031;

const std::u16string kBestQualityLine = u"This is the \"Best Quality\" setting";
const std::u16string kCustomLine = u"This is a \"Custom\" setting";

WinUiAction Picture(const std::string& name) {
    return WinUiActions::Do("picture " + name,
                            [name](HWND dialog) { return pagetest::WritePagePicture(dialog, name); });
}

class PrintQualityControlsTest : public ::testing::Test {
protected:
    void SetUp() override { WinUiDriver::ClearRecords(); }
    void TearDown() override { EXPECT_TRUE(WinUiDriver::ScriptFailures().empty()); }

    // The controls on a page of the Finishing template, for the printer's
    // configuration or another one.
    HWND Open(MPersistentObject* configuration = nullptr) {
        if (configuration == nullptr) configuration = sheet_->driver.GetPrinterConfiguration();
        page_ = std::make_unique<SparePage>(Model(), ResourceModule(), kFinishingTemplate);
        AddPrintQualityControls(page_->Page(), Model(), configuration);
        HWND window = page_->Open();
        ShowWindow(window, SW_SHOW);
        return window;
    }
    // Clicks Details while the script plays in the dialog of templateId.
    void Details(HWND page, WORD templateId, WinUiScript script) {
        WinUiDriver::QueueDialogScript(templateId, std::move(script));
        ASSERT_TRUE(WinUiDriver::Click(page, kDetailsButton));
    }
    GUIModel* Model() { return sheet_->model.get(); }
    int Value(uint32_t id) { return uitest::ValueOf(sheet_->Settings(), id); }
    void Set(uint32_t id, int16_t value) {
        ASSERT_EQ(Model()->CurrentSettings().SetValue(id, value), 1) << id;
    }
    int CustomItem(uint32_t item) {
        return uitest::ValueOf(sheet_->Settings()->FindById(kCustomQualityPreset), item);
    }
    static int CheckedPreset(HWND page) {
        for (const int radio : {kBestQualityRadio, kSecondPresetRadio, kCustomRadio})
            if (WinUiDriver::CheckState(page, radio) == BST_CHECKED) return radio;
        return 0;
    }

    SpareLibraries libraries_;
    std::unique_ptr<uitest::ModelPrinterSheet> sheet_ =
        std::make_unique<uitest::ModelPrinterSheet>("QVCOLOR");
    std::unique_ptr<SparePage> page_;
};

TEST_F(PrintQualityControlsTest, TheRadiosShowTheMatchingPresetAndApplyTheChosenOne) {
    HWND page = Open();
    EXPECT_EQ(CheckedPreset(page), kBestQualityRadio);
    EXPECT_EQ(WinUiDriver::Text(page, kSecondPresetRadio), u"Faster Printin&g");
    // The second radio has no size in the template: it is chosen by keyboard.
    CheckRadioButton(page, kBestQualityRadio, kCustomRadio, kSecondPresetRadio);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(kSecondPresetRadio, BN_CLICKED),
                 reinterpret_cast<LPARAM>(WinUiDriver::Item(page, kSecondPresetRadio)));
    EXPECT_EQ(Value(kBitsPerPixel), 1);
    EXPECT_EQ(CheckedPreset(page), kSecondPresetRadio);
    ASSERT_TRUE(WinUiDriver::Click(page, kBestQualityRadio));
    EXPECT_EQ(Value(kBitsPerPixel), 2);
    // A settings change elsewhere moves the radio at the next showing.
    Set(kEdgeToEdge, 1);
    page_->Activate();
    EXPECT_EQ(CheckedPreset(page), kCustomRadio);
    // The rules' level 1 disables only Custom.
    Model()->RuleLevels().SetValue(kCustomQualityLevel, 1);
    page_->Activate();
    EXPECT_FALSE(WinUiDriver::IsEnabled(page, kCustomRadio));
    EXPECT_TRUE(WinUiDriver::IsEnabled(page, kBestQualityRadio));
    EXPECT_TRUE(WinUiDriver::IsEnabled(page, kDetailsButton));
}

TEST_F(PrintQualityControlsTest, ADetailsChangeAfterBestQualityShowsCustomWhichComesBackAfterwards) {
    HWND page = Open();
    ASSERT_TRUE(WinUiDriver::Click(page, kBestQualityRadio));
    Details(page, kPclDetails,
            {CheckStep("best quality line",
                       [](HWND dialog) {
                           EXPECT_EQ(WinUiDriver::Text(dialog, kCurrentSettingText), kBestQualityLine);
                       }),
             WinUiActions::Click(kTextAsBlackBox),
             CheckStep(
                 "custom line",
                 [](HWND dialog) { EXPECT_EQ(WinUiDriver::Text(dialog, kCurrentSettingText), kCustomLine); }),
             Picture("print-quality-details-9000.png"), WinUiActions::Click(IDOK)});
    EXPECT_EQ(CheckedPreset(page), kCustomRadio);
    EXPECT_EQ(Value(kTextAsBlack), 1);
    EXPECT_EQ(CustomItem(kPresetTextAsBlack), 1);
    ASSERT_TRUE(WinUiDriver::Click(page, kBestQualityRadio));
    EXPECT_EQ(Value(kTextAsBlack), 0);
    ASSERT_TRUE(WinUiDriver::Click(page, kCustomRadio));
    EXPECT_EQ(Value(kTextAsBlack), 1);
    EXPECT_EQ(CheckedPreset(page), kCustomRadio);
    // OK on a combination that equals a preset keeps the saved Custom one.
    Details(page, kPclDetails, {WinUiActions::Click(kTextAsBlackBox), WinUiActions::Click(IDOK)});
    EXPECT_EQ(CheckedPreset(page), kBestQualityRadio);
    EXPECT_EQ(CustomItem(kPresetTextAsBlack), 1);
}

// Every option of the Details dialog changed, then Cancel or OK.
WinUiScript ChangeEveryOption(INT_PTR end) {
    return {
        CheckStep(
            "the resolutions",
            [](HWND dialog) {
                EXPECT_EQ(WinUiDriver::Items(dialog, kResolutionList),
                          (std::vector<std::u16string>{u"ProRes 1200", u"FastRes 1200", u"600 dpi"}));
                EXPECT_EQ(WinUiDriver::ItemData(dialog, kResolutionList), (std::vector<ULONG_PTR>{0, 1, 2}));
                EXPECT_EQ(WinUiDriver::Selection(dialog, kResolutionList), 0);
            }),
        WinUiActions::Click(kTrueTypeBox),
        WinUiActions::Click(kGraphicsAsRaster),
        WinUiActions::Click(kScalePatternsBox),
        WinUiActions::Click(kManualDuplexBox),
        WinUiActions::Click(kTextAsBlackBox),
        WinUiActions::Click(kOptimizePqBox),
        WinUiActions::SelectText(kResolutionList, u"FastRes 1200"),
        WinUiActions::Click(static_cast<int>(end))};
}

TEST_F(PrintQualityControlsTest, CancelInDetailsRestoresEveryChangeAndOkKeepsThem) {
    HWND page = Open();
    const std::string before = uitest::Saved(*sheet_->Settings());
    Details(page, kPclDetails, ChangeEveryOption(IDCANCEL));
    EXPECT_EQ(uitest::Saved(*sheet_->Settings()), before);
    EXPECT_EQ(CheckedPreset(page), kBestQualityRadio);

    Details(page, kPclDetails, ChangeEveryOption(IDOK));
    const struct {
        uint32_t id;
        int value;
    } kept[] = {{kTrueTypeAsBitmaps, 1}, {kRenderingMode, 2},  {kScalePatterns, 0},
                {kManualDuplex, 3},      {kTextAsBlack, 1},    {kOptimisePrintQuality, 1},
                {kXResolution, 1200},    {kYResolution, 1200}, {kBitsPerPixel, 1},
                {kEdgeEnhancement, 0}};
    for (const auto& k : kept)
        EXPECT_EQ(Value(k.id), k.value) << k.id;
    EXPECT_EQ(CheckedPreset(page), kCustomRadio);
    EXPECT_EQ(CustomItem(kPresetXResolution), 1200);
    EXPECT_EQ(CustomItem(kPresetRenderingMode), 2);
    EXPECT_EQ(CustomItem(kPresetEdgeEnhancement), 0);
}

TEST_F(PrintQualityControlsTest, TheDetailsOptionsShowTheirValuesAndLevels) {
    HWND page = Open();
    Set(kManualDuplex, 1);
    Set(kRenderingMode, 3);
    Set(kSendPjl, 0);
    Model()->RuleLevels().SetValue(kRenderingEffectsLevel, 1);
    Details(page, kPclDetails,
            {CheckStep("shown values",
                       [](HWND dialog) {
                           EXPECT_EQ(WinUiDriver::CheckState(dialog, kManualDuplexBox), BST_CHECKED);
                           EXPECT_EQ(WinUiDriver::CheckState(dialog, kPageAsRaster), BST_CHECKED);
                           EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kGraphicsAsRaster));
                           EXPECT_TRUE(WinUiDriver::IsEnabled(dialog, kPageAsRaster));
                           EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kOptimizePqBox));
                       }),
             WinUiActions::Click(kManualDuplexBox),
             CheckStep("cleared", [this](HWND) { EXPECT_EQ(Value(kManualDuplex), 0); }),
             WinUiActions::Click(kManualDuplexBox),
             CheckStep("checked", [this](HWND) { EXPECT_EQ(Value(kManualDuplex), 3); }),
             WinUiActions::Click(IDOK)});
    // The option's own level disables page as raster; a printer without the
    // choice hides every rendering control.
    Model()->RuleLevels().SetValue(kRenderingModeLevel, 1);
    ASSERT_EQ(GSettingsAccessor(sheet_->driver.GetPrinterConfiguration(), nullptr)
                  .SetValue(kRenderingModeChoicesShown, 0),
              1);
    Details(page, kPclDetails,
            {CheckStep("hidden",
                       [](HWND dialog) {
                           for (int id = kRenderingLabel; id <= kPageAsRaster; ++id)
                               EXPECT_FALSE(WinUiDriver::IsVisible(dialog, id)) << id;
                           EXPECT_TRUE(WinUiDriver::IsVisible(dialog, kScalePatternsBox));
                       }),
             WinUiActions::Click(IDCANCEL)});
}

// A printer configuration whose writer kind record says kind (0: none).
std::unique_ptr<GAttributeComposite> ConfigurationOfKind(uint16_t kind) {
    auto configuration = std::make_unique<GAttributeComposite>(kPeripheralConfiguration);
    if (kind != 0) configuration->Add(new GValueAttribute(kind, kWriterKind));
    return configuration;
}

TEST_F(PrintQualityControlsTest, TheWriterKindChoosesTheDetailsDialog) {
    const struct {
        const char* printer;
        uint16_t kind; // 0: the printer's own configuration
        WORD dialog;   // 0: none
    } cases[] = {{"QVCOLOR", 0, kPclDetails},          {"QVMONO", 0, kPclDetails},
                 {"QVCOLOR", 767, kPclDetails},        {"QVCOLOR", 788, kPclDetails},
                 {"QVCOLOR", 768, kPostScriptDetails}, {"QVCOLOR", 766, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.printer << " " << c.kind);
        page_.reset();
        sheet_ = std::make_unique<uitest::ModelPrinterSheet>(c.printer);
        const std::unique_ptr<GAttributeComposite> own = ConfigurationOfKind(c.kind);
        HWND page = Open(c.kind == 0 ? nullptr : own.get());
        if (c.dialog == 0) {
            EXPECT_FALSE(WinUiDriver::IsEnabled(page, kDetailsButton));
            EXPECT_FALSE(WinUiDriver::Click(page, kDetailsButton));
            continue;
        }
        EXPECT_TRUE(WinUiDriver::IsEnabled(page, kDetailsButton));
        bool ran = false;
        Details(page, c.dialog,
                {CheckStep("opened",
                           [&ran, &c](HWND dialog) {
                               ran = true;
                               // The font and rendering options belong to the PCL dialog.
                               EXPECT_EQ(WinUiDriver::Item(dialog, kTrueTypeBox) != nullptr,
                                         c.dialog == kPclDetails);
                           }),
                 WinUiActions::Click(IDCANCEL)});
        EXPECT_TRUE(ran);
    }
}

TEST_F(PrintQualityControlsTest, ThePostScriptDialogOffersVariableDataWithAHardDisk) {
    ASSERT_NE(sheet_->Settings()->FindById(kDocumentGroup), nullptr);
    sheet_->Settings()->FindById(kDocumentGroup)->Add(new GValueAttribute(0, kVariableData));
    const std::unique_ptr<GAttributeComposite> postScript = ConfigurationOfKind(768);
    HWND page = Open(postScript.get());
    Details(page, kPostScriptDetails,
            {CheckStep("no disk",
                       [](HWND dialog) { EXPECT_FALSE(WinUiDriver::IsEnabled(dialog, kVariableDataBox)); }),
             WinUiActions::Click(IDCANCEL)});
    Set(kHardDiskInstalled, 1);
    Details(page, kPostScriptDetails,
            {WinUiActions::Click(kVariableDataBox),
             CheckStep("stored", [this](HWND) { EXPECT_EQ(Value(kVariableData), 1); }),
             CheckStep("line",
                       [](HWND dialog) {
                           EXPECT_EQ(WinUiDriver::Text(dialog, kCurrentSettingText), kBestQualityLine);
                       }),
             Picture("print-quality-details-13000.png"), WinUiActions::Click(IDOK)});
    EXPECT_EQ(Value(kVariableData), 1);
}

} // namespace pqcontrolstest
