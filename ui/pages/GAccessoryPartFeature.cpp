#include "ui/pages/GAccessoryPartFeature.h"

#include "model/GSettingIds.h"
#include "rw/RWCString.h"
#include "ui/framework/GAccessoryTable.h"
#include "ui/framework/GUIModel.h"

GAccessoryPartFeature::GAccessoryPartFeature(GUIModel* model)
    : GValueFeature(model, GSettingId::kOptionalInputUnit) {}

int16_t GAccessoryPartFeature::GetValue() {
    const RWCString part = GAccessoryTable(Model()).FinishingPartNumber();
    RWCString inUse;
    Model()->CurrentSettings().GetString(AttributeId(), inUse);
    return part.Length() != 0 && inUse.Length() == part.Length() && inUse == part ? kFinishingUnit : 0;
}

int32_t GAccessoryPartFeature::SetValue(int16_t value) {
    if (value != kFinishingUnit) return Model()->CurrentSettings().SetString(AttributeId(), RWCString());
    const RWCString part = GAccessoryTable(Model()).FinishingPartNumber();
    if (part.Length() == 0 || Model()->CurrentSettings().SetString(AttributeId(), part) == 0) return 0;
    Model()->RuleLevels().SetValue(GSettingId::kQuickSetPoolScratch, kFinishingUnit);
    return 1;
}
