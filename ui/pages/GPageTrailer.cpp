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

} // namespace

void AddFeatureTip(GDialog& page, GUIModel* model, const GControlHelpPair* table, uint32_t levelId,
                   uint32_t messageId, uint16_t iconKind) {
    page.AddControl(std::make_unique<GFeatureTipWrapper>(new GFeatureTipFeature(model, levelId, messageId),
                                                         table, iconKind));
}

void AddPageTrailer(GDialog& page, GUIModel* model) {
    page.AddControl(std::make_unique<GAboutWrapper>(new GAboutFeature(model), kTrailerAboutControl));
    for (const GControlHelpPair* tip : {kTrailerFirstTip, kTrailerSecondTip})
        AddFeatureTip(page, model, tip, GSettingId::kQuickSetsLevel, GSettingId::kQuickSetsMessage,
                      GFeatureTipWrapper::kPageIcon);
}
