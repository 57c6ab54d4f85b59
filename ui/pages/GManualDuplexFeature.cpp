#include "ui/pages/GManualDuplexFeature.h"

#include "model/GSettingIds.h"

GManualDuplexFeature::GManualDuplexFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kManualDuplex) {}

uint16_t GManualDuplexFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kManualDuplexLevel));
}
