#include "ui/pages/GPSOptionsFeature.h"

#include "model/GSettingIds.h"

GPSOptionsFeature::GPSOptionsFeature(GUIModel* model)
    : GValueGroupFeature(model, {GSettingId::kPostScriptOptimisation, GSettingId::kMirrorImage,
                                 GSettingId::kNegativeImage}) {}
