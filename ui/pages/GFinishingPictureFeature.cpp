#include "ui/pages/GFinishingPictureFeature.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"

namespace {
constexpr int16_t kPlacementHidden = 2;
} // namespace

bool GFinishingPictureFeature::ManualDuplexDefault() {
    int16_t manual = 0;
    Model()->Defaults().GetValue(GSettingId::kManualDuplex, manual);
    return manual != 0;
}

int32_t GFinishingPictureFeature::GroupTop() {
    const bool noHardware = GetSettingValue(GSettingId::kDuplexUnitInstalled) == 0 &&
                            GetSettingValue(GSettingId::kStaplerInstalled) == 0 &&
                            GetSettingValue(GSettingId::kBinderInstalled) == 0 &&
                            GetSettingValue(GSettingId::kFinisherInstalled) == 0;
    if (noHardware) {
        const bool manualShown = ManualDuplexDefault() &&
                                 GetSettingValue(GSettingId::kBookletLevel) != kPlacementHidden &&
                                 GetSettingValue(GSettingId::kManualDuplexLevel) != kPlacementHidden;
        return manualShown ? kTemplateTop : kStapleRow;
    }
    if (GetSettingValue(GSettingId::kDuplexUnitInstalled) == 1 || ManualDuplexDefault()) return kTemplateTop;
    return kBindRow;
}
