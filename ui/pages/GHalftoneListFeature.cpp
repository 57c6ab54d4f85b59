#include "ui/pages/GHalftoneListFeature.h"

#include "model/GSettingIds.h"

GHalftoneListFeature::GHalftoneListFeature(GUIModel* model)
    : GChromalistListFeature(model, kHalftoneField,
                             {GSettingId::kHalftoneChoicesText, GSettingId::kHalftoneChoicesGraphics,
                              GSettingId::kHalftoneChoicesPhotos}) {}
