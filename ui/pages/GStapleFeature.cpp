#include "ui/pages/GStapleFeature.h"

#include "model/GSettingIds.h"

GStapleFeature::GStapleFeature(GUIModel* model) : GValueFeature(model, GSettingId::kStaple) {}

uint16_t GStapleFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kStapleLevel));
}
