#include "ui/pages/GOptimizePQFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

GOptimizePQFeature::GOptimizePQFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kOptimisePrintQuality) {}

uint16_t GOptimizePQFeature::GetState() {
    return GetSettingValue(GSettingId::kSendPjl) == 0 ? kDisabled : kEnabled;
}

int32_t GOptimizePQFeature::SetValue(int16_t value) {
    const int32_t done = GValueFeature::SetValue(value);
    // Settings that follow the print-quality optimisation are derived anew.
    Model()->ApplyContextDefaults();
    return done;
}
