#include "ui/pages/GRenderingModeFeature.h"

#include "model/GSettingIds.h"

GRenderingModeFeature::GRenderingModeFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kRenderingMode) {}

uint16_t GRenderingModeFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kRenderingModeLevel));
}
