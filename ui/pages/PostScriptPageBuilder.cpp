#include "ui/pages/PostScriptPageBuilder.h"

#include "model/GSettingIds.h"
#include "ui/framework/GModalDialog.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/pages/GAdvancedPSButtonWrapper.h"
#include "ui/pages/GAdvancedPSWrapper.h"
#include "ui/pages/GFeatureTipWrapper.h"
#include "ui/pages/GPSOptionsWrapper.h"
#include "ui/pages/GPageTrailer.h"
#include "ui/pages/GTrueTypeModeWrapper.h"

namespace {

constexpr uint16_t kPostScriptTemplate = 6500;
constexpr uint16_t kPostScriptPageHelp = 800;
constexpr uint16_t kAdvancedTemplate = 6700;
constexpr uint16_t kAdvancedHelp = 816;
constexpr uint32_t kNoHelp = GWrapper::kNoHelp;

const GControlHelpPair kTrueTypeControls[] = {
    {6528, kNoHelp}, {6514, 313}, {6529, kNoHelp}, {6515, 803}, {0, 0}};
const GControlHelpPair kPSOptionsControls[] = {
    {6527, kNoHelp}, {6523, 805}, {6041, 808}, {6042, 809}, {0, 0}};
const GControlHelpPair kAdvancedButton[] = {{6530, 817}, {0, 0}};
const GControlHelpPair kAdvancedBoxes[] = {{6704, 830}, {6705, 831}, {6706, 832},
                                           {6701, 828}, {6702, 829}, {0, 0}};
const GControlHelpPair kSendPjlTip[] = {{6707, kNoHelp}, {0, 0}};

} // namespace

std::unique_ptr<GModalDialog> BuildAdvancedPSDialog(GUIModel* model, uint32_t hasHelp) {
    auto dialog = std::make_unique<GModalDialog>(kAdvancedTemplate, model, hasHelp, kAdvancedHelp);
    dialog->AddControl(std::make_unique<GAdvancedPSWrapper>(new GAdvancedPSFeature(model), kAdvancedBoxes));
    AddFeatureTip(*dialog, model, kSendPjlTip, GSettingId::kSendPjlLevel, GSettingId::kSendPjlMessage,
                  GFeatureTipWrapper::kOptionIcon);
    dialog->BuildHelpTable();
    return dialog;
}

GPropertyPage* BuildPostScriptPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp) {
    auto page = std::make_unique<GPropertyPage>(&slot, ResourceModule(), kPostScriptTemplate, model, hasHelp,
                                                kPostScriptPageHelp);
    page->AddControl(
        std::make_unique<GTrueTypeModeWrapper>(new GTrueTypeModeFeature(model), kTrueTypeControls));
    page->AddControl(std::make_unique<GPSOptionsWrapper>(new GPSOptionsFeature(model), kPSOptionsControls));
    page->AddControl(std::make_unique<GAdvancedPSButtonWrapper>(
        new GFeature(model), kAdvancedButton, BuildAdvancedPSDialog(model, hasHelp).release()));
    AddPageTrailer(*page, model);
    page->BuildHelpTable();
    return page.release();
}
