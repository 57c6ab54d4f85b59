#include "ui/pages/GTrueTypeAsBitmapsFeature.h"

#include "model/GSettingIds.h"

GTrueTypeAsBitmapsFeature::GTrueTypeAsBitmapsFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kTrueTypeAsBitmaps) {}

uint16_t GTrueTypeAsBitmapsFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kTrueTypeAsBitmapsLevel));
}
