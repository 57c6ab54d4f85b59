#include "ui/pages/GFirstPageFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/GPaperPageState.h"

GFirstPageFeature::GFirstPageFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kDifferentFirstPage) {
    if (model != nullptr && !GPaperPageState::FirstPageDiffers(model))
        GPaperPageState::CopyFirstPageToOtherPages(model);
}

int32_t GFirstPageFeature::SetValue(int16_t value) {
    const int32_t stored = GValueFeature::SetValue(value);
    if (value == 0 && GetSettingValue(GSettingId::kFirstPageOwnTab) != 1)
        Model()->RuleLevels().SetValue(GSettingId::kPaperTab, GPaperPageState::kAllPagesTab);
    GPaperPageState::CopyFirstPageToOtherPages(Model());
    return stored;
}

uint16_t GFirstPageFeature::GetState() {
    if (GetSettingValue(GSettingId::kFirstPageOwnTab) != 1) return kEnabled;
    if (GPaperPageState::SelectedTab(Model()) != GPaperPageState::kAllPagesTab) return kHidden;
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kDifferentFirstPageLevel));
}
