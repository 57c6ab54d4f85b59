#include "ui/pages/GColorModeWrapper.h"

#include "ui/framework/GBitmapDrawing.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kModeAutomaticRadio = 0;
constexpr uint16_t kModeManualRadio = 1;
constexpr uint16_t kModePictureIndex = 2;
constexpr uint16_t kModePicture = 14113;
constexpr uint16_t kModePictureMask = 14114;
// Any mode outside 7-10 is manual.
constexpr int16_t kModeNeitherRadio = 1;

} // namespace

LRESULT GColorModeWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item == nullptr || item->CtlID != ControlId(kModePictureIndex) ||
            item->itemAction != ODA_DRAWENTIRE)
            return 0;
        DrawBitmapAligned(item->hDC, kModePicture, kModePictureMask, kBitmapTransparent,
                          kBitmapCentredVertically);
        return 1;
    }
    if (message != WM_COMMAND ||
        (LOWORD(wParam) != ControlId(kModeAutomaticRadio) && LOWORD(wParam) != ControlId(kModeManualRadio)))
        return 0;
    TakeValue();
    return 1;
}

void GColorModeWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const bool automatic = GColorModeFeature::IsAutomatic(Option()->GetMode());
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(kModeAutomaticRadio)),
                   automatic ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(kModeManualRadio)),
                   automatic ? BST_UNCHECKED : BST_CHECKED);
}

void GColorModeWrapper::TakeValue() {
    if (Option() == nullptr) return;
    if (IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(kModeAutomaticRadio))) != 0)
        Option()->SetMode(GColorModeFeature::kAutomatic);
    else if (IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(kModeManualRadio))) != 0)
        Option()->SetMode(GColorModeFeature::kManual);
    else
        Option()->SetMode(kModeNeitherRadio);
}

void GColorModeWrapper::Refresh() {
    SetState(GFeature::kEnabled);
    EnableControl(kModeManualRadio, 1);
}
