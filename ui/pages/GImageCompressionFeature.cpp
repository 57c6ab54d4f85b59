#include "ui/pages/GImageCompressionFeature.h"

#include "model/GSettingIds.h"

GImageCompressionFeature::GImageCompressionFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kRasterCompression) {}
