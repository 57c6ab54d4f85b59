#include "ui/pages/ColourPageBuilder.h"

#include <memory>

#include "driver/GetWriterKind.h"
#include "model/GSettingIds.h"
#include "ui/framework/GModalDialog.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/pages/GCheckBoxWrapper.h"
#include "ui/pages/GChromalistComboWrapper.h"
#include "ui/pages/GChromalistOptionFeature.h"
#include "ui/pages/GColorDescriptionWrapper.h"
#include "ui/pages/GColorGroupWrapper.h"
#include "ui/pages/GColorModeWrapper.h"
#include "ui/pages/GColorOptionsButtonWrapper.h"
#include "ui/pages/GGrayscaleWrapper.h"
#include "ui/pages/GPageTrailer.h"

namespace {

constexpr uint16_t kColourTemplate = 14000;
constexpr uint16_t kColourPageHelp = 900;
constexpr uint16_t kManualColourTemplate = 14501;
constexpr uint16_t kManualColourHelp = 1212;
constexpr uint32_t kColourNoHelp = GWrapper::kNoHelp;

const GControlHelpPair kColourModeControls[] = {{14002, 1205}, {14003, 1206}, {14001, kColourNoHelp}, {0, 0}};
const GControlHelpPair kColourOptionsButton[] = {{14004, 1207}, {0, 0}};
const GControlHelpPair kColourGrayscaleBox[] = {{14116, 1211}, {0, 0}};
const GControlHelpPair kCalibrationBox[] = {{13526, 1213}, {0, 0}};
const GControlHelpPair kInksetCombo[] = {{13525, 1214}, {0, 0}};
const GControlHelpPair kPostScriptGroup[] = {{13526, kColourNoHelp}, {13528, kColourNoHelp},
                                             {13530, kColourNoHelp}, {13525, kColourNoHelp},
                                             {13527, kColourNoHelp}, {0, 0}};
const GControlHelpPair kColourDescription[] = {{13523, kColourNoHelp}, {0, 0}};

// One colour-code combo of the manual options: its control and help, the
// object kind and field it edits and the defaults' list of its choices.
struct ManualCombo {
    GControlHelpPair table[2];
    int32_t kind;
    int32_t field;
    uint32_t list;
};

constexpr int32_t kManualMapField = GChromalistOptionFeature::kColourMapField;
constexpr int32_t kManualHalftoneField = GChromalistOptionFeature::kHalftoneField;
const ManualCombo kManualCombos[] = {
    {{{13506, 1209}, {0, 0}}, 0, kManualMapField, GSettingId::kColourMapChoicesText},
    {{{13508, 1208}, {0, 0}}, 0, kManualHalftoneField, GSettingId::kHalftoneChoicesText},
    {{{13511, 1209}, {0, 0}}, 1, kManualMapField, GSettingId::kColourMapChoicesGraphics},
    {{{13513, 1208}, {0, 0}}, 1, kManualHalftoneField, GSettingId::kHalftoneChoicesGraphics},
    {{{13516, 1209}, {0, 0}}, 2, kManualMapField, GSettingId::kColourMapChoicesPhotos},
    {{{13518, 1208}, {0, 0}}, 2, kManualHalftoneField, GSettingId::kHalftoneChoicesPhotos},
};

void AddPostScriptColour(GPropertyPage& page, GUIModel* model) {
    page.AddControl(std::make_unique<GCheckBoxWrapper<GValueFeature>>(
        new GValueFeature(model, GSettingId::kAutoColourCalibration), kCalibrationBox));
    page.AddControl(std::make_unique<GChromalistComboWrapper>(
        new GChromalistListFeature(model, GSettingId::kCmykInksetEmulation, GSettingId::kCmykInksetChoices),
        kInksetCombo));
}

} // namespace

GModalDialog* BuildManualColourDialog(GUIModel* model, uint32_t hasHelp) {
    auto dialog = std::make_unique<GModalDialog>(kManualColourTemplate, model, hasHelp, kManualColourHelp);
    for (const ManualCombo& combo : kManualCombos)
        dialog->AddControl(std::make_unique<GChromalistComboWrapper>(
            new GChromalistOptionFeature(model, GSettingId::kDocumentGroup, GSettingId::kColourControl,
                                         combo.list, combo.kind, combo.field),
            combo.table));
    dialog->AddControl(
        std::make_unique<GColorDescriptionWrapper>(new GColorModeFeature(model), kColourDescription));
    dialog->BuildHelpTable();
    return dialog.release();
}

GPropertyPage* BuildColourPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp,
                               MPersistentObject* printerConfiguration) {
    auto page = std::make_unique<GPropertyPage>(&slot, ResourceModule(), kColourTemplate, model, hasHelp,
                                                kColourPageHelp);
    page->AddControl(std::make_unique<GColorModeWrapper>(new GColorModeFeature(model), kColourModeControls));
    page->AddControl(std::make_unique<GColorOptionsButtonWrapper>(
        new GColorModeFeature(model), kColourOptionsButton, BuildManualColourDialog(model, hasHelp)));
    page->AddControl(std::make_unique<GGrayscaleWrapper>(new GGrayscaleFeature(model), kColourGrayscaleBox));
    if (GetWriterKind(printerConfiguration) == GWriterKind::kPostScript)
        AddPostScriptColour(*page, model);
    else
        page->AddControl(std::make_unique<GColorGroupWrapper>(new GFeature(model), kPostScriptGroup));
    AddPageTrailer(*page, model);
    page->BuildHelpTable();
    return page.release();
}
