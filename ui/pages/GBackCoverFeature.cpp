#include "ui/pages/GBackCoverFeature.h"

#include "model/GSettingIds.h"
#include "rw/RWCString.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/GPaperPageState.h"

GBackCoverFeature::GBackCoverFeature(GUIModel* model) : GValueFeature(model, GSettingId::kBackCover) {}

int32_t GBackCoverFeature::SetValue(int16_t value) {
    const int32_t stored = GValueFeature::SetValue(value);
    if (value == GPaperPageState::kBackCoverFromFirstPage) CopyFirstPage();
    return stored;
}

int32_t GBackCoverFeature::WasChanged() {
    return GValueFeature::WasChanged() != 0 || Model()->RuleLevels().WasChanged(GSettingId::kPaperTab) != 0
               ? 1
               : 0;
}

uint16_t GBackCoverFeature::GetState() {
    if (GPaperPageState::SelectedTab(Model()) != GPaperPageState::kBackCoverTab) return kHidden;
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kBackCoverLevel));
}

void GBackCoverFeature::CopyFirstPage() {
    GSettingsAccessor settings = Model()->CurrentSettings();
    int16_t source = 0;
    RWCString type;
    if (settings.GetValue(GSettingId::kPaperSource, source) != 0)
        settings.SetValue(GSettingId::kBackCoverSource, source);
    if (settings.GetString(GSettingId::kMediaType, type) != 0)
        settings.SetString(GSettingId::kBackCoverMediaType, type);
}

bool GBackCoverFeature::HasFormToTray() {
    return Model()->CurrentSettings().HasKey(GSettingId::kFormToTray) != 0;
}
