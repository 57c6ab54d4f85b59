#include "ui/pages/GStackerButtonWrapper.h"

#include "ui/framework/GModalDialog.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

LRESULT GStackerButtonWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || HIWORD(wParam) != BN_CLICKED) return 0;
    if (Option() == nullptr) return 0;
    GModalDialog dialog(dialogId_, Option()->Model(), 0, helpId_);
    dialog.Run(Dialog(), 1);
    return 0;
}

void GStackerButtonWrapper::Refresh() {
    if (Option() == nullptr) return;
    if (Option()->OutputUnitKind() != GStackerKindFeature::kStackerKind) {
        SetState(GFeature::kHidden);
        return;
    }
    SetState(Option()->GetValue() == 1 ? GFeature::kEnabled : GFeature::kDisabled);
}
