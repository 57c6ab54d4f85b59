#include "ui/pages/GHalftoneListFeature.h"

#include "model/GSettingIds.h"

GHalftoneListFeature::GHalftoneListFeature(GUIModel* model)
    : GColorTabListFeature(model, kHalftoneField,
                           {GSettingId::kHalftoneChoicesText, GSettingId::kHalftoneChoicesGraphics,
                            GSettingId::kHalftoneChoicesPhotos}) {}
