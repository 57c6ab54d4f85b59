#include "ui/pages/PrintQualityControls.h"

#include "driver/GetWriterKind.h"
#include "model/GSettingIds.h"
#include "ui/framework/GModalDialog.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/pages/GFeatureTipWrapper.h"
#include "ui/pages/GManualDuplexWrapper.h"
#include "ui/pages/GOptimizePQWrapper.h"
#include "ui/pages/GPQDetailsButtonWrapper.h"
#include "ui/pages/GPQPresetWrapper.h"
#include "ui/pages/GPageTrailer.h"
#include "ui/pages/GPrintQualityWrapper.h"
#include "ui/pages/GRenderingModeWrapper.h"
#include "ui/pages/GResolutionWrapper.h"
#include "ui/pages/GScalePatternsWrapper.h"
#include "ui/pages/GTextAsBlackWrapper.h"
#include "ui/pages/GTrueTypeAsBitmapsWrapper.h"
#include "ui/pages/GVariableDataWrapper.h"

namespace {

constexpr uint16_t kPclDetailsTemplate = 9000;
constexpr uint16_t kPostScriptDetailsTemplate = 13000;
constexpr uint16_t kDetailsHelp = 332;
constexpr uint32_t kDetailsHasHelp = 1;
constexpr uint32_t kDetailsNoHelp = GWrapper::kNoHelp;

const GControlHelpPair kPresetRadios[] = {{3031, 310}, {3032, 315}, {3033, 312}, {0, 0}};
const GControlHelpPair kDetailsButton[] = {{3034, 321}, {0, 0}};
const GControlHelpPair kCurrentSetting[] = {{9002, kDetailsNoHelp}, {0, 0}};
const GControlHelpPair kTrueTypeBox[] = {{3021, 313}, {0, 0}};
const GControlHelpPair kRenderingRadios[] = {
    {9020, kDetailsNoHelp}, {9021, 335}, {9022, 336}, {9023, 337}, {9024, 338}, {0, 0}};
const GControlHelpPair kScalePatternsBox[] = {{9016, 331}, {0, 0}};
const GControlHelpPair kManualDuplexBox[] = {{9030, 329}, {0, 0}};
const GControlHelpPair kTextAsBlackBox[] = {{6044, 346}, {0, 0}};
const GControlHelpPair kOptimizePQBox[] = {{9032, 344}, {0, 0}};
const GControlHelpPair kResolutionList[] = {{9008, 326}, {9009, 326}, {0, 0}};
const GControlHelpPair kVariableDataBox[] = {{9031, 347}, {0, 0}};

// The tips of the dialog: their icons and the rules' pairs they show.
struct DetailsTip {
    GControlHelpPair table[2];
    uint32_t levelId;
    uint32_t messageId;
};

const DetailsTip kTrueTypeTip{{{3023, kDetailsNoHelp}, {0, 0}},
                              GSettingId::kTrueTypeAsBitmapsLevel,
                              GSettingId::kTrueTypeAsBitmapsMessage};
const DetailsTip kRenderingTip{
    {{9033, kDetailsNoHelp}, {0, 0}}, GSettingId::kRenderingModeLevel, GSettingId::kRenderingModeMessage};
const DetailsTip kRenderingEffectsTip{{{9034, kDetailsNoHelp}, {0, 0}},
                                      GSettingId::kRenderingEffectsLevel,
                                      GSettingId::kRenderingEffectsMessage};
const DetailsTip kManualDuplexTip{
    {{3037, kDetailsNoHelp}, {0, 0}}, GSettingId::kManualDuplexLevel, GSettingId::kManualDuplexMessage};
const DetailsTip kTextAsBlackTip{
    {{7079, kDetailsNoHelp}, {0, 0}}, GSettingId::kTextAsBlackLevel, GSettingId::kTextAsBlackMessage};
const DetailsTip kOptimizePQTip{
    {{3039, kDetailsNoHelp}, {0, 0}}, GSettingId::kOptimisePqLevel, GSettingId::kOptimisePqMessage};
const DetailsTip kHardDiskTip{
    {{3038, kDetailsNoHelp}, {0, 0}}, GSettingId::kHardDiskLevel, GSettingId::kHardDiskMessage};

void AddTip(GModalDialog& dialog, GUIModel* model, const DetailsTip& tip) {
    AddFeatureTip(dialog, model, tip.table, tip.levelId, tip.messageId, GFeatureTipWrapper::kOptionIcon);
}

// A check box wrapper over its own feature.
template <class Wrapper, class Feature>
void AddBox(GModalDialog& dialog, GUIModel* model, const GControlHelpPair* table) {
    dialog.AddControl(std::make_unique<Wrapper>(new Feature(model), table));
}

// The controls of both dialogs, in building order; the font and rendering
// options exist only on the PCL dialog, variable data only on PostScript's.
void AddDetailsControls(GModalDialog& dialog, GUIModel* model, bool postScript) {
    dialog.AddControl(
        std::make_unique<GPrintQualityWrapper>(new GPrintQualityPresets(model), kCurrentSetting));
    if (!postScript)
        AddBox<GTrueTypeAsBitmapsWrapper, GTrueTypeAsBitmapsFeature>(dialog, model, kTrueTypeBox);
    AddTip(dialog, model, kTrueTypeTip);
    if (!postScript) AddBox<GRenderingModeWrapper, GRenderingModeFeature>(dialog, model, kRenderingRadios);
    AddTip(dialog, model, kRenderingTip);
    AddTip(dialog, model, kRenderingEffectsTip);
    AddBox<GScalePatternsWrapper, GScalePatternsFeature>(dialog, model, kScalePatternsBox);
    AddBox<GManualDuplexWrapper, GManualDuplexFeature>(dialog, model, kManualDuplexBox);
    AddTip(dialog, model, kManualDuplexTip);
    AddBox<GTextAsBlackWrapper, GTextAsBlackFeature>(dialog, model, kTextAsBlackBox);
    AddTip(dialog, model, kTextAsBlackTip);
    AddBox<GOptimizePQWrapper, GOptimizePQFeature>(dialog, model, kOptimizePQBox);
    AddTip(dialog, model, kOptimizePQTip);
    AddBox<GResolutionWrapper, GResolutionFeature>(dialog, model, kResolutionList);
    if (postScript) AddBox<GVariableDataWrapper, GVariableDataFeature>(dialog, model, kVariableDataBox);
    AddTip(dialog, model, kHardDiskTip);
}

} // namespace

std::unique_ptr<GModalDialog> BuildPrintQualityDetails(GUIModel* model, uint16_t writerKind) {
    const bool pcl = writerKind == GWriterKind::kPclXl || writerKind == GWriterKind::kPcl5;
    if (!pcl && writerKind != GWriterKind::kPostScript) return nullptr;
    auto dialog = std::make_unique<GModalDialog>(pcl ? kPclDetailsTemplate : kPostScriptDetailsTemplate,
                                                 model, kDetailsHasHelp, kDetailsHelp);
    AddDetailsControls(*dialog, model, !pcl);
    return dialog;
}

void AddPrintQualityControls(GPropertyPage& page, GUIModel* model, MPersistentObject* printerConfiguration) {
    page.AddControl(std::make_unique<GPQPresetWrapper>(new GPrintQualityPresets(model), kPresetRadios));
    page.AddControl(std::make_unique<GPQDetailsButtonWrapper>(
        new GPrintQualityPresets(model), kDetailsButton,
        BuildPrintQualityDetails(model, GetWriterKind(printerConfiguration))));
}
