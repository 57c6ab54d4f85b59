#include "ui/pages/GPageTrailer.h"

#include <memory>

#include "model/GSettingIds.h"
#include "ui/framework/GAboutWrapper.h"
#include "ui/framework/GDialog.h"
#include "ui/pages/GFeatureTipWrapper.h"

namespace {
const GControlHelpPair kAboutControl[] = {{11525, GWrapper::kNoHelp}, {0, 0}};
const GControlHelpPair kFirstPageTip[] = {{1013, GWrapper::kNoHelp}, {0, 0}};
const GControlHelpPair kSecondPageTip[] = {{1015, GWrapper::kNoHelp}, {0, 0}};

std::unique_ptr<GWrapper> PageTip(GUIModel* model, const GControlHelpPair* table) {
    return std::make_unique<GFeatureTipWrapper>(
        new GFeatureTipFeature(model, GSettingId::kPageTipLevel, GSettingId::kPageTipMessage), table,
        GFeatureTipWrapper::kPageIcon);
}
} // namespace

void AddPageTrailer(GDialog& page, GUIModel* model) {
    page.AddControl(std::make_unique<GAboutWrapper>(new GAboutFeature(model), kAboutControl));
    page.AddControl(PageTip(model, kFirstPageTip));
    page.AddControl(PageTip(model, kSecondPageTip));
}
