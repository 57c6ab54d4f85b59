#include "ui/pages/GStackerKindFeature.h"

#include "model/GSettingIds.h"
#include "rw/RWCString.h"
#include "ui/framework/GAccessoryTable.h"
#include "ui/framework/GUIModel.h"

int16_t GStackerKindFeature::OutputUnitKind() const {
    RWCString unit;
    if (Model()->CurrentSettings().GetString(GSettingId::kOptionalOutputUnit, unit) == 0) return 0;
    return GAccessoryTable(Model()).OutputUnitKind(unit);
}
