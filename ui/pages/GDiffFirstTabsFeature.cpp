#include "ui/pages/GDiffFirstTabsFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/GPaperPageState.h"

namespace {

constexpr int16_t kDefaultTabCount = 2;

} // namespace

GDiffFirstTabsFeature::GDiffFirstTabsFeature(GUIModel* model) : GValueFeature(model, GSettingId::kPaperTab) {
    if (model != nullptr)
        model->RuleLevels().AddIfMissing(GPaperPageState::kAllPagesTab, GSettingId::kPaperTab);
}

int32_t GDiffFirstTabsFeature::SetValue(int16_t value) {
    return Model()->RuleLevels().SetValue(GSettingId::kPaperTab, value);
}

int32_t GDiffFirstTabsFeature::WasChanged() {
    const GSettingsAccessor settings = Model()->CurrentSettings();
    return Model()->RuleLevels().WasChanged(GSettingId::kPaperTab) != 0 ||
                   settings.WasChanged(GSettingId::kDifferentFirstPage) != 0 ||
                   settings.WasChanged(GSettingId::kBackCover) != 0
               ? 1
               : 0;
}

int16_t GDiffFirstTabsFeature::GetValue() {
    return GPaperPageState::SelectedTab(Model());
}

int16_t GDiffFirstTabsFeature::TabCount() {
    int16_t count = kDefaultTabCount;
    Model()->Defaults().GetValue(GSettingId::kPaperSourceTabCount, count);
    return count;
}

void GDiffFirstTabsFeature::FollowFirstPage() {
    GSettingsAccessor settings = Model()->CurrentSettings();
    int16_t source = 0;
    if (settings.HasKey(GSettingId::kBackCover) != 0)
        settings.SetValue(GSettingId::kBackCover, GPaperPageState::kNoBackCover);
    if (settings.GetValue(GSettingId::kPaperSource, source) != 0)
        settings.SetValue(GSettingId::kBackCoverSource, source);
}
