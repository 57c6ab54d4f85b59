#include "ui/pages/GTextAsBlackFeature.h"

#include "model/GSettingIds.h"

GTextAsBlackFeature::GTextAsBlackFeature(GUIModel* model) : GValueFeature(model, GSettingId::kTextAsBlack) {}

uint16_t GTextAsBlackFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kTextAsBlackLevel));
}
