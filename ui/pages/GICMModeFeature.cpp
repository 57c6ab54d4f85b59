#include "ui/pages/GICMModeFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

GICMModeFeature::GICMModeFeature(GUIModel* model) : GValueFeature(model, GSettingId::kColourMatching) {}

int16_t GICMModeFeature::GetValue() {
    const GSettingsAccessor settings = Model()->CurrentSettings();
    int16_t matching = 0;
    int16_t method = 0;
    settings.GetValue(GSettingId::kColourMatching, matching);
    if (matching == 0) return kDisabled;
    settings.GetValue(GSettingId::kColourMatchingMethod, method);
    if (method == 0) return kOff;
    return method >= 1 && method <= 3 ? kOn : kDisabled;
}

int32_t GICMModeFeature::SetValue(int16_t value) {
    GSettingsAccessor settings = Model()->CurrentSettings();
    const int16_t matching = value == kOff || value == kOn ? 1 : 0;
    const int16_t method = value == kOn ? 1 : 0;
    const int32_t first = settings.SetValue(GSettingId::kColourMatching, matching);
    const int32_t second = settings.SetValue(GSettingId::kColourMatchingMethod, method);
    return first != 0 && second != 0 ? 1 : 0;
}

int32_t GICMModeFeature::WasChanged() {
    const GSettingsAccessor settings = Model()->CurrentSettings();
    return settings.WasChanged(GSettingId::kColourMatching) != 0 ||
                   settings.WasChanged(GSettingId::kColourMatchingMethod) != 0
               ? 1
               : 0;
}
