#include "ui/pages/GStackerButtonWrapper.h"

#include "ui/framework/GModalDialog.h"
#include "ui/pages/GAccessoryButtonState.h"
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
    SetState(AccessoryButtonState(Option()->OutputUnitKind() == GStackerKindFeature::kStackerKind,
                                  Option()->GetValue()));
}
