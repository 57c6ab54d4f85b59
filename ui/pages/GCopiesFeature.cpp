#include "ui/pages/GCopiesFeature.h"

#include "model/GSettingIds.h"

GCopiesFeature::GCopiesFeature(GUIModel* model)
    : GRangeFeature(model, GSettingId::kCopies, GSettingId::kCopiesRange) {}

uint16_t GCopiesFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kCopiesLevel));
}
