#include "ui/framework/GFeature.h"

#include "ui/framework/GUIModel.h"

GFeature::~GFeature() = default;

uint32_t GFeature::IsLocked() {
    return model_->OwnerLockBits();
}

int16_t GFeature::GetSettingValue(uint32_t id) const {
    const GSettingsAccessor current = model_->CurrentSettings();
    int16_t value = 0;
    if (current.HasKey(id) != 0) current.GetValue(id, value);
    return value;
}
