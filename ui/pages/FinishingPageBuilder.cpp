#include "ui/pages/FinishingPageBuilder.h"

#include <memory>

#include "model/GSettingIds.h"
#include "ui/framework/GModalDialog.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/pages/GBindWrapper.h"
#include "ui/pages/GBookletWrapper.h"
#include "ui/pages/GDuplexWrapper.h"
#include "ui/pages/GFeatureTipWrapper.h"
#include "ui/pages/GFinishingPictureWrapper.h"
#include "ui/pages/GPageTrailer.h"
#include "ui/pages/GPagesPerSheetWrapper.h"
#include "ui/pages/GStapleOptionsWrapper.h"
#include "ui/pages/GStapleWrapper.h"
#include "ui/pages/GStaplingButtonWrapper.h"
#include "ui/pages/PrintQualityControls.h"

namespace {

constexpr uint16_t kFinishingTemplate = 3000;
constexpr uint16_t kFinishingPageHelp = 300;
constexpr uint16_t kStaplingTemplate = 3500;
constexpr uint16_t kStaplingHelp = 65535;
constexpr uint32_t kNoFinishingTopic = GWrapper::kNoHelp;

const GControlHelpPair kPictureControls[] = {{3010, kNoFinishingTopic}, {3030, kNoFinishingTopic}, {0, 0}};
const GControlHelpPair kDuplexControls[] = {{3011, 302}, {3012, 303}, {0, 0}};
const GControlHelpPair kDuplexTip[] = {{3013, kNoFinishingTopic}, {0, 0}};
const GControlHelpPair kBookletControls[] = {{3024, 301}, {3025, 301}, {0, 0}};
const GControlHelpPair kBookletTip[] = {{3026, kNoFinishingTopic}, {0, 0}};
const GControlHelpPair kStapleTip[] = {{3028, kNoFinishingTopic}, {0, 0}};
const GControlHelpPair kBindTip[] = {{3043, kNoFinishingTopic}, {0, 0}};
const GControlHelpPair kPagesControls[] = {
    {3015, 323}, {3016, 323}, {3017, 323}, {3019, 324}, {3040, kNoFinishingTopic}, {3041, 325}, {0, 0}};
const GControlHelpPair kPagesTip[] = {{3018, kNoFinishingTopic}, {0, 0}};
const GControlHelpPair kStapleControls[] = {{3027, 305}, {0, 0}};
const GControlHelpPair kBindControls[] = {{3042, 343}, {0, 0}};
const GControlHelpPair kStaplingButton[] = {{3029, 306}, {0, 0}};
const GControlHelpPair kStapleOptionControls[] = {{3502, kNoFinishingTopic},
                                                  {3503, kNoFinishingTopic},
                                                  {3504, kNoFinishingTopic},
                                                  {3505, kNoFinishingTopic},
                                                  {3506, kNoFinishingTopic},
                                                  {3507, kNoFinishingTopic},
                                                  {0, 0}};
const GControlHelpPair kAngledTip[] = {{1014, kNoFinishingTopic}, {0, 0}};

// The Stapling Options dialog.
GModalDialog* BuildStaplingDialog(GUIModel* model, uint32_t hasHelp) {
    auto dialog = std::make_unique<GModalDialog>(kStaplingTemplate, model, hasHelp, kStaplingHelp);
    dialog->AddControl(
        std::make_unique<GStapleOptionsWrapper>(new GStapleOptionsFeature(model), kStapleOptionControls));
    AddFeatureTip(*dialog, model, kAngledTip, GSettingId::kStapleOptionsLevel,
                  GSettingId::kStapleOptionsMessage, GFeatureTipWrapper::kOptionIcon);
    dialog->BuildHelpTable();
    return dialog.release();
}

void AddOptionTip(GPropertyPage& page, GUIModel* model, const GControlHelpPair* table, uint32_t levelId,
                  uint32_t messageId) {
    AddFeatureTip(page, model, table, levelId, messageId, GFeatureTipWrapper::kOptionIcon);
}

} // namespace

GPropertyPage* BuildFinishingPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp,
                                  MPersistentObject* printerConfiguration) {
    auto page = std::make_unique<GPropertyPage>(&slot, ResourceModule(), kFinishingTemplate, model, hasHelp,
                                                kFinishingPageHelp);
    page->AddControl(
        std::make_unique<GFinishingPictureWrapper>(new GFinishingPictureFeature(model), kPictureControls));
    page->AddControl(std::make_unique<GDuplexWrapper>(new GDuplexFeature(model), kDuplexControls));
    AddOptionTip(*page, model, kDuplexTip, GSettingId::kDuplexLevel, GSettingId::kDuplexMessage);
    page->AddControl(std::make_unique<GBookletWrapper>(new GBookletFeature(model), kBookletControls));
    AddOptionTip(*page, model, kBookletTip, GSettingId::kBookletLevel, GSettingId::kBookletMessage);
    AddOptionTip(*page, model, kStapleTip, GSettingId::kStapleLevel, GSettingId::kStapleMessage);
    AddOptionTip(*page, model, kBindTip, GSettingId::kBindLevel, GSettingId::kBindMessage);
    page->AddControl(
        std::make_unique<GPagesPerSheetWrapper>(new GPagesPerSheetFeature(model), kPagesControls));
    AddOptionTip(*page, model, kPagesTip, GSettingId::kPagesPerSheetLevel, GSettingId::kPagesPerSheetMessage);
    page->AddControl(std::make_unique<GStapleWrapper>(new GStapleFeature(model), kStapleControls));
    page->AddControl(std::make_unique<GBindWrapper>(new GBindFeature(model), kBindControls));
    page->AddControl(std::make_unique<GStaplingButtonWrapper>(
        new GStaplingButtonFeature(model), kStaplingButton, BuildStaplingDialog(model, hasHelp)));
    AddPrintQualityControls(*page, model, printerConfiguration);
    AddPageTrailer(*page, model);
    page->BuildHelpTable();
    return page.release();
}
