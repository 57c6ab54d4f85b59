#include "ui/pages/GVariableDataFeature.h"

#include "model/GSettingIds.h"

GVariableDataFeature::GVariableDataFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kVariableData) {}

uint16_t GVariableDataFeature::GetState() {
    return GetSettingValue(GSettingId::kHardDiskInstalled) == 0 ? kDisabled : kEnabled;
}
