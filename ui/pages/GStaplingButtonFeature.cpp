#include "ui/pages/GStaplingButtonFeature.h"

#include "model/GSettingIds.h"
#include "rw/RWCString.h"
#include "ui/framework/GAccessoryTable.h"
#include "ui/framework/GUIModel.h"

GStaplingButtonFeature::GStaplingButtonFeature(GUIModel* model) : GValueFeature(model, GSettingId::kStaple) {}

int16_t GStaplingButtonFeature::AccessoryKind() const {
    RWCString unit;
    if (Model()->CurrentSettings().GetString(GSettingId::kOptionalOutputUnit, unit) == 0) return 0;
    return GAccessoryTable(Model()).KindOfUnit(unit);
}
