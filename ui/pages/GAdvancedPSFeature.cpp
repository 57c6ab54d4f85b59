#include "ui/pages/GAdvancedPSFeature.h"

#include "model/GSettingIds.h"

GAdvancedPSFeature::GAdvancedPSFeature(GUIModel* model)
    : GValueGroupFeature(model,
                         {GSettingId::kCtrlDBeforeJob, GSettingId::kCtrlDAfterJob, GSettingId::kSendPjl,
                          GSettingId::kCompressBitmaps, GSettingId::kPostScriptErrorPage}) {}

uint16_t GAdvancedPSFeature::GetState() {
    return static_cast<uint16_t>(GetSettingValue(GSettingId::kSendPjlLevel));
}
