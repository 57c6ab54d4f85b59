#include "ui/pages/GPrintQualityWrapper.h"

#include "model/GSettingIds.h"
#include "ui/pages/GPresetText.h"

namespace {
constexpr uint16_t kBestQualityText = 11903;
constexpr uint16_t kCustomText = 11908;
} // namespace

void GPrintQualityWrapper::ShowValue(uint32_t force) {
    GPrintQualityPresets* presets = Option();
    if (presets == nullptr || (force == 0 && presets->AnyChanged() == 0)) return;
    uint16_t text = kCustomText;
    switch (presets->Match()) {
    case GPrintQualityPresets::kBestQuality:
        text = kBestQualityText;
        break;
    case GPrintQualityPresets::kFasterPrinting:
        text = presets->FasterPrintingStringId(GSettingId::kPresetCurrentSettingText);
        break;
    default:
        break;
    }
    ShowPresetText(Dialog(), static_cast<int>(ControlId(0)), text);
}
