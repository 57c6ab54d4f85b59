#include "ui/pages/GColorTabFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

GColorTabFeature::GColorTabFeature(GUIModel* model) : GValueFeature(model, GSettingId::kColourTab) {
    if (model != nullptr) model->RuleLevels().AddIfMissing(kTextTab, GSettingId::kColourTab);
}

int32_t GColorTabFeature::SetValue(int16_t value) {
    return Model()->RuleLevels().SetValue(GSettingId::kColourTab, value);
}

int32_t GColorTabFeature::WasChanged() {
    return Model()->RuleLevels().WasChanged(GSettingId::kColourTab);
}

int16_t GColorTabFeature::GetValue() {
    int16_t value = 0;
    Model()->RuleLevels().GetValue(GSettingId::kColourTab, value);
    return value;
}
