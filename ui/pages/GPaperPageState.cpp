#include "ui/pages/GPaperPageState.h"

#include "model/GSettingIds.h"
#include "rw/RWCString.h"
#include "ui/framework/GUIModel.h"

int16_t GPaperPageState::SelectedTab(GUIModel* model) {
    int16_t tab = kAllPagesTab;
    model->RuleLevels().GetValue(GSettingId::kPaperTab, tab);
    return tab;
}

bool GPaperPageState::FirstPageDiffers(GUIModel* model) {
    int16_t differs = 0;
    model->CurrentSettings().GetValue(GSettingId::kDifferentFirstPage, differs);
    return differs == 1;
}

int16_t GPaperPageState::BackCoverMode(GUIModel* model) {
    int16_t mode = kNoBackCover;
    model->CurrentSettings().GetValue(GSettingId::kBackCover, mode);
    return mode;
}

uint32_t GPaperPageState::SourceIdOfTab(int16_t tab) {
    if (tab == kOtherPagesTab) return GSettingId::kOtherPagesPaperSource;
    return tab == kBackCoverTab ? GSettingId::kBackCoverSource : GSettingId::kPaperSource;
}

uint32_t GPaperPageState::TypeIdOfTab(int16_t tab) {
    if (tab == kOtherPagesTab) return GSettingId::kOtherPagesMediaType;
    return tab == kBackCoverTab ? GSettingId::kBackCoverMediaType : GSettingId::kMediaType;
}

void GPaperPageState::CopyFirstPageToOtherPages(GUIModel* model) {
    GSettingsAccessor settings = model->CurrentSettings();
    int16_t source = 0;
    RWCString type;
    if (settings.GetValue(GSettingId::kPaperSource, source) != 0)
        settings.SetValue(GSettingId::kOtherPagesPaperSource, source);
    if (settings.GetString(GSettingId::kMediaType, type) != 0)
        settings.SetString(GSettingId::kOtherPagesMediaType, type);
}
