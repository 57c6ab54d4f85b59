#include "ui/pages/GRenderingModeWrapper.h"

#include "model/GSettingIds.h"
#include "ui/framework/GUIModel.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

namespace {

constexpr uint16_t kAutomaticRadio = 1;
constexpr uint16_t kGraphicsRasterRadio = 3;
constexpr uint16_t kPageRasterRadio = 4;

// The table index of the radio that shows a mode.
uint16_t RadioOfMode(int16_t mode) {
    if (mode >= GRenderingModeFeature::kPageAsRaster) return kPageRasterRadio;
    if (mode < GRenderingModeFeature::kAutomatic) return kAutomaticRadio;
    return static_cast<uint16_t>(kAutomaticRadio + mode);
}

} // namespace

void GRenderingModeWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr) return;
    int16_t offered = 0;
    Option()->Model()->Defaults().GetValue(GSettingId::kRenderingModeChoicesShown, offered);
    if (offered == 0) ShowAll(0);
    if (force == 0 && Option()->WasChanged() == 0) return;
    CheckRadioButton(Dialog(), static_cast<int>(ControlId(kAutomaticRadio)),
                     static_cast<int>(ControlId(kPageRasterRadio)),
                     static_cast<int>(ControlId(RadioOfMode(Option()->GetValue()))));
}

void GRenderingModeWrapper::TakeValue() {
    if (Option() == nullptr) return;
    int16_t mode = GRenderingModeFeature::kPageAsRaster;
    for (uint16_t radio = kAutomaticRadio; radio < kPageRasterRadio; ++radio)
        if (IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(radio))) == BST_CHECKED) {
            mode = static_cast<int16_t>(radio - kAutomaticRadio);
            break;
        }
    Option()->SetValue(mode);
}

void GRenderingModeWrapper::Refresh() {
    if (Option() == nullptr) return;
    const uint16_t state = Option()->GetState();
    SetState(state);
    const bool effectsConflict =
        Option()->GetSettingValue(GSettingId::kRenderingEffectsLevel) == GFeature::kDisabled;
    EnableControl(kGraphicsRasterRadio, effectsConflict ? 0 : 1);
    EnableControl(kPageRasterRadio, state == GFeature::kDisabled ? 0 : 1);
}
