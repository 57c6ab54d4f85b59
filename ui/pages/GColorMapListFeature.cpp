#include "ui/pages/GColorMapListFeature.h"

#include "model/GSettingIds.h"

GColorMapListFeature::GColorMapListFeature(GUIModel* model)
    : GColorTabListFeature(model, kColourMapField,
                           {GSettingId::kColourMapChoicesText, GSettingId::kColourMapChoicesGraphics,
                            GSettingId::kColourMapChoicesPhotos}) {}
