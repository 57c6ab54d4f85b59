#include "ui/framework/GValueFeature.h"

#include "ui/framework/GUIModel.h"

int32_t GValueFeature::SetValue(int16_t value) {
    return Model()->CurrentSettings().SetValue(attributeId_, value);
}

int32_t GValueFeature::WasChanged() {
    return Model()->CurrentSettings().WasChanged(attributeId_);
}

int16_t GValueFeature::GetValue() {
    int16_t value = 0;
    Model()->CurrentSettings().GetValue(attributeId_, value);
    return value;
}
