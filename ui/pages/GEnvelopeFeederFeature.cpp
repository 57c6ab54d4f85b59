#include "ui/pages/GEnvelopeFeederFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

GEnvelopeFeederFeature::GEnvelopeFeederFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kEnvelopeFeederInstalled) {}

uint16_t GEnvelopeFeederFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kConfigurationStatus));
}

int32_t GEnvelopeFeederFeature::SetValue(int16_t value) {
    const int32_t done = GValueFeature::SetValue(value);
    Model()->ApplyContextDefaults();
    return done;
}
