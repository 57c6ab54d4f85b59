#include "ui/pages/GDisplayJobIdFeature.h"

#include "model/GSettingIds.h"
#include "ui/pages/JobStoragePrinterData.h"

GDisplayJobIdFeature::GDisplayJobIdFeature(GUIModel* model) : GValueFeature(model, GSettingId::kShowJobId) {}

int16_t GDisplayJobIdFeature::GetValue() {
    if (!loaded_) {
        loaded_ = true;
        SetValue(JobStoragePrinterData::LocalJobStorage(Model()).value_or(0) == 0 ? 1 : 0);
    }
    return GValueFeature::GetValue();
}
