#include "ui/pages/GFixedInputUnitFeature.h"

#include "model/GSettingIds.h"

GFixedInputUnitFeature::GFixedInputUnitFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kFixedInputUnitKey) {}
