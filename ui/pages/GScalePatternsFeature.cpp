#include "ui/pages/GScalePatternsFeature.h"

#include "model/GSettingIds.h"

GScalePatternsFeature::GScalePatternsFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kScalePatterns) {}
