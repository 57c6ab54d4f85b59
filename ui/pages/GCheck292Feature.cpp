#include "ui/pages/GCheck292Feature.h"

#include "model/GSettingIds.h"

GCheck292Feature::GCheck292Feature(GUIModel* model) : GValueFeature(model, GSettingId::kCollate) {}

int32_t GCheck292Feature::SetChecked(int16_t value) {
    return SetValue(value == 1 ? 1 : 0);
}

int16_t GCheck292Feature::DiscoveryResult() const {
    return GetSettingValue(GSettingId::kConfigurationStatus);
}
