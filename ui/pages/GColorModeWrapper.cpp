#include "ui/pages/GColorModeWrapper.h"

#include "ui/framework/GBitmapDrawing.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kAutomaticRadio = 0;
constexpr uint16_t kManualRadio = 1;
constexpr uint16_t kPicture = 2;
constexpr uint16_t kModePicture = 14113;
constexpr uint16_t kModePictureMask = 14114;
// Any mode outside 7-10 is manual.
constexpr int16_t kNeitherRadio = 1;

} // namespace

LRESULT GColorModeWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item == nullptr || item->CtlID != ControlId(kPicture) || item->itemAction != ODA_DRAWENTIRE)
            return 0;
        DrawBitmapAligned(item->hDC, kModePicture, kModePictureMask, kBitmapTransparent,
                          kBitmapCentredVertically);
        return 1;
    }
    if (message != WM_COMMAND ||
        (LOWORD(wParam) != ControlId(kAutomaticRadio) && LOWORD(wParam) != ControlId(kManualRadio)))
        return 0;
    TakeValue();
    return 1;
}

void GColorModeWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const bool automatic = GColorModeFeature::IsAutomatic(Option()->GetMode());
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(kAutomaticRadio)),
                   automatic ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(kManualRadio)),
                   automatic ? BST_UNCHECKED : BST_CHECKED);
}

void GColorModeWrapper::TakeValue() {
    if (Option() == nullptr) return;
    if (IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(kAutomaticRadio))) != 0)
        Option()->SetMode(GColorModeFeature::kAutomatic);
    else if (IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(kManualRadio))) != 0)
        Option()->SetMode(GColorModeFeature::kManual);
    else
        Option()->SetMode(kNeitherRadio);
}

void GColorModeWrapper::Refresh() {
    SetState(GFeature::kEnabled);
    EnableControl(kManualRadio, 1);
}
