#include "ui/pages/PaperPageBuilder.h"

#include <memory>

#include "model/GSettingIds.h"
#include "ui/framework/GModalDialog.h"
#include "ui/framework/GPropertyPage.h"
#include "ui/framework/GResourceLibrary.h"
#include "ui/pages/GBackCoverWrapper.h"
#include "ui/pages/GCustomLengthWrapper.h"
#include "ui/pages/GCustomPaperNameWrapper.h"
#include "ui/pages/GCustomSizeButtonWrapper.h"
#include "ui/pages/GCustomUnitsWrapper.h"
#include "ui/pages/GDiffFirstTabsWrapper.h"
#include "ui/pages/GFeatureTipWrapper.h"
#include "ui/pages/GFirstPageWrapper.h"
#include "ui/pages/GMediaTypeWrapper.h"
#include "ui/pages/GPageTrailer.h"
#include "ui/pages/GPaperSizeWrapper.h"
#include "ui/pages/GPaperSourceWrapper.h"

namespace {

constexpr uint16_t kPaperTemplate = 2000;
constexpr uint16_t kPaperPageHelp = 200;
constexpr uint16_t kCustomSizeTemplate = 8000;
constexpr uint16_t kCustomSizeHelp = 219;
constexpr uint32_t kNoTopic = GWrapper::kNoHelp;

const GControlHelpPair kTabControls[] = {{2010, 216}, {2011, kNoTopic}, {2012, kNoTopic}, {0, 0}};
const GControlHelpPair kFirstPageControls[] = {{2022, 214}, {2023, 214}, {0, 0}};
const GControlHelpPair kBackCoverControls[] = {{2056, 11110003}, {2057, 11110001}, {2058, 11110000},
                                               {2059, kNoTopic}, {2060, kNoTopic}, {0, 0}};
const GControlHelpPair kSizeControls[] = {{2015, 202}, {2014, 215}, {2013, kNoTopic}, {0, 0}};
const GControlHelpPair kCustomButtonControls[] = {{2016, 206}, {0, 0}};
const GControlHelpPair kTypeControls[] = {{2018, 203}, {2017, kNoTopic}, {0, 0}};
const GControlHelpPair kSourceControls[] = {{2020, 205}, {2019, kNoTopic}, {0, 0}};
const GControlHelpPair kCustomNameControls[] = {{2050, 218}, {2051, 217}, {8, kNoTopic}, {0, 0}};
const GControlHelpPair kCustomHeightControls[] = {
    {11421, 211}, {11422, 211}, {11431, kNoTopic}, {11433, kNoTopic}, {0, 0}};
const GControlHelpPair kCustomWidthControls[] = {
    {11411, 212}, {11412, 212}, {11430, kNoTopic}, {11432, kNoTopic}, {0, 0}};
const GControlHelpPair kCustomUnitsControls[] = {{2052, 213}, {0, 0}};
const GControlHelpPair kTypeTip[] = {{2063, kNoTopic}, {0, 0}};
const GControlHelpPair kSizeTip[] = {{2024, kNoTopic}, {0, 0}};
const GControlHelpPair kCustomSizesTip[] = {{2025, kNoTopic}, {0, 0}};

std::unique_ptr<GModalDialog> BuildCustomSizeDialog(GUIModel* model, uint32_t hasHelp) {
    auto dialog = std::make_unique<GModalDialog>(kCustomSizeTemplate, model, hasHelp, kCustomSizeHelp);
    dialog->AddControl(
        std::make_unique<GCustomPaperNameWrapper>(new GCustomPaperSizeFeature(model), kCustomNameControls));
    dialog->AddControl(std::make_unique<GCustomLengthWrapper>(
        new GCustomPaperSizeFeature(model), kCustomHeightControls, GCustomLengthWrapper::kHeight));
    dialog->AddControl(std::make_unique<GCustomLengthWrapper>(
        new GCustomPaperSizeFeature(model), kCustomWidthControls, GCustomLengthWrapper::kWidth));
    dialog->AddControl(
        std::make_unique<GCustomUnitsWrapper>(new GCustomPaperSizeFeature(model), kCustomUnitsControls));
    dialog->BuildHelpTable();
    return dialog;
}

} // namespace

GPropertyPage* BuildPaperPage(PROPSHEETPAGEW& slot, GUIModel* model, uint32_t hasHelp) {
    auto page = std::make_unique<GPropertyPage>(&slot, ResourceModule(), kPaperTemplate, model, hasHelp,
                                                kPaperPageHelp);
    page->AddControl(std::make_unique<GDiffFirstTabsWrapper>(new GDiffFirstTabsFeature(model), kTabControls));
    page->AddControl(std::make_unique<GFirstPageWrapper>(new GFirstPageFeature(model), kFirstPageControls));
    page->AddControl(std::make_unique<GBackCoverWrapper>(new GBackCoverFeature(model), kBackCoverControls));
    AddFeatureTip(*page, model, kTypeTip, GSettingId::kPaperTypeTipLevel, GSettingId::kPaperTypeTipMessage,
                  GFeatureTipWrapper::kOptionIcon);
    page->AddControl(std::make_unique<GPaperSizeWrapper>(new GCustomPaperSizeFeature(model), kSizeControls));
    AddFeatureTip(*page, model, kSizeTip, GSettingId::kFitToPaperTipLevel, GSettingId::kFitToPaperTipMessage,
                  GFeatureTipWrapper::kOptionIcon);
    page->AddControl(std::make_unique<GCustomSizeButtonWrapper>(
        new GCustomPaperSizeFeature(model), kCustomButtonControls, BuildCustomSizeDialog(model, hasHelp)));
    page->AddControl(std::make_unique<GMediaTypeWrapper>(new GMediaTypeFeature(model), kTypeControls));
    page->AddControl(std::make_unique<GPaperSourceWrapper>(new GPaperSourceFeature(model), kSourceControls));
    AddFeatureTip(*page, model, kCustomSizesTip, GSettingId::kCustomSizesLevel,
                  GSettingId::kCustomSizesMessage, GFeatureTipWrapper::kPageIcon);
    AddPageTrailer(*page, model);
    page->BuildHelpTable();
    return page.release();
}
