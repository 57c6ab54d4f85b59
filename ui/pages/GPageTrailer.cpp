#include "ui/pages/GPageTrailer.h"

#include <memory>

#include "model/GSettingIds.h"
#include "ui/framework/GAboutWrapper.h"
#include "ui/framework/GDialog.h"
#include "ui/pages/GFeatureTipWrapper.h"

namespace {
const GControlHelpPair kTrailerAboutControl[] = {{11525, GWrapper::kNoHelp}, {0, 0}};
const GControlHelpPair kTrailerFirstTip[] = {{1013, GWrapper::kNoHelp}, {0, 0}};
const GControlHelpPair kTrailerSecondTip[] = {{1015, GWrapper::kNoHelp}, {0, 0}};

std::unique_ptr<GWrapper> TrailerPageTip(GUIModel* model, const GControlHelpPair* table) {
    return std::make_unique<GFeatureTipWrapper>(
        new GFeatureTipFeature(model, GSettingId::kQuickSetsLevel, GSettingId::kQuickSetsMessage), table,
        GFeatureTipWrapper::kPageIcon);
}
} // namespace

void AddPageTrailer(GDialog& page, GUIModel* model) {
    page.AddControl(std::make_unique<GAboutWrapper>(new GAboutFeature(model), kTrailerAboutControl));
    page.AddControl(TrailerPageTip(model, kTrailerFirstTip));
    page.AddControl(TrailerPageTip(model, kTrailerSecondTip));
}
