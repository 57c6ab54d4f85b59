#include "ui/pages/GValueGroupFeature.h"

#include "ui/framework/GUIModel.h"

int16_t GValueGroupFeature::Value(size_t place) const {
    return place < ids_.size() ? GetSettingValue(ids_[place]) : 0;
}

int32_t GValueGroupFeature::SetValue(size_t place, int16_t value) {
    if (place >= ids_.size()) return 0;
    return Model()->CurrentSettings().SetValue(ids_[place], value);
}

int32_t GValueGroupFeature::AnyChanged() const {
    const GSettingsAccessor current = Model()->CurrentSettings();
    for (uint32_t id : ids_)
        if (current.WasChanged(id) != 0) return 1;
    return 0;
}
