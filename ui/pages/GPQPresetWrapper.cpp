#include "ui/pages/GPQPresetWrapper.h"

#include "model/GSettingIds.h"
#include "ui/pages/GPresetText.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

void GPQPresetWrapper::ShowValue(uint32_t force) {
    GPrintQualityPresets* presets = Option();
    if (presets == nullptr) return;
    if (force != 0 || presets->AnyChanged() != 0)
        CheckRadioButton(Dialog(), static_cast<int>(ControlId(0)), static_cast<int>(ControlId(2)),
                         static_cast<int>(ControlId(static_cast<uint16_t>(presets->Match()))));
    ShowPresetText(Dialog(), static_cast<int>(ControlId(1)),
                   presets->FasterPrintingStringId(GSettingId::kPresetRadioText));
}

void GPQPresetWrapper::TakeValue() {
    if (Option() == nullptr) return;
    int16_t preset = GPrintQualityPresets::kCustom;
    if (IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(0))) == BST_CHECKED)
        preset = GPrintQualityPresets::kBestQuality;
    else if (IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(1))) == BST_CHECKED)
        preset = GPrintQualityPresets::kFasterPrinting;
    Option()->Apply(preset);
}

void GPQPresetWrapper::Refresh() {
    if (Option() == nullptr) return;
    SetState(Option()->GetState());
    EnableControl(2,
                  Option()->GetSettingValue(GSettingId::kCustomQualityLevel) == GFeature::kDisabled ? 0 : 1);
}
