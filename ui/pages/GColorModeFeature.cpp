#include "ui/pages/GColorModeFeature.h"

#include "model/GSettingIds.h"
#include "model/MPersistentObject.h"
#include "rw/RWCString.h"
#include "ui/framework/GUIModel.h"
#include "ui/pages/GChromalistCodes.h"
#include "ui/pages/GPaperTypeKeys.h"

namespace {

bool IsTransparencyMedia(GUIModel* model, uint32_t mediaTypeId) {
    RWCString key;
    model->CurrentSettings().GetString(mediaTypeId, key);
    return GPaperType::IdOfKey(key) == GPaperType::kTransparency;
}

} // namespace

GColorModeFeature::GColorModeFeature(GUIModel* model) : GValueFeature(model, GSettingId::kColourMode) {}

int16_t GColorModeFeature::AutomaticModeOfMedia() const {
    const bool first = IsTransparencyMedia(Model(), GSettingId::kMediaType);
    const bool others = IsTransparencyMedia(Model(), GSettingId::kOtherPagesMediaType);
    if (first && others) return 8;
    if (first) return 9;
    return others ? 10 : kAutomatic;
}

MPersistentObject* GColorModeFeature::PresetOf(int16_t automaticMode) const {
    MPersistentObject* defaults = Model()->Defaults().Composite();
    if (defaults == nullptr) return nullptr;
    return defaults->FindById(automaticMode == kAutomatic ? GSettingId::kAutoColourControl
                                                          : GSettingId::kTransparencyColourControl);
}

MPersistentObject* GColorModeFeature::CurrentControl() const {
    MPersistentObject* settings = Model()->CurrentSettings().Composite();
    return settings == nullptr ? nullptr : settings->FindById(GSettingId::kColourControl);
}

void GColorModeFeature::SetMode(int16_t mode) {
    GSettingsAccessor settings = Model()->CurrentSettings();
    if (!IsAutomatic(mode)) {
        settings.SetValue(GSettingId::kColourMode, kManual);
        return;
    }
    const int16_t automatic = AutomaticModeOfMedia();
    settings.SetValue(GSettingId::kColourMode, automatic);
    MPersistentObject* control = CurrentControl();
    const MPersistentObject* preset = PresetOf(automatic);
    if (control == nullptr || preset == nullptr || GChromalistCodes::Same(control, preset)) return;
    settings.NotifyChange(control, nullptr);
    GChromalistCodes::Assign(control, preset);
}

int16_t GColorModeFeature::GetMode() {
    const MPersistentObject* control = CurrentControl();
    const MPersistentObject* preset = PresetOf(AutomaticModeOfMedia());
    if (control == nullptr || preset == nullptr || !GChromalistCodes::Same(control, preset)) return kManual;
    SetMode(kAutomatic);
    return GetValue();
}

int32_t GColorModeFeature::WasChanged() {
    const GSettingsAccessor settings = Model()->CurrentSettings();
    return settings.WasChanged(GSettingId::kColourControl) != 0 ||
                   settings.WasChanged(GSettingId::kColourMode) != 0
               ? 1
               : 0;
}
