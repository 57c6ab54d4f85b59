#include "ui/pages/GBindFeature.h"

#include "model/GSettingIds.h"

GBindFeature::GBindFeature(GUIModel* model) : GValueFeature(model, GSettingId::kBind) {}

uint16_t GBindFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kBindLevel));
}
