#include "ui/pages/GStaplingButtonWrapper.h"

#include "ui/pages/GAccessoryButtonState.h"
#include "winapi/WinControls.h"
#include "winapi/WinUser.h"
#include "winapi/WinWindow.h"

LRESULT GStaplingButtonWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || HIWORD(wParam) != BN_CLICKED) return 0;
    if (options_ == nullptr) return 0;
    return options_->Run(Dialog(), 1) == IDOK ? 1 : 0;
}

void GStaplingButtonWrapper::Refresh() {
    if (Option() == nullptr) return;
    SetState(AccessoryButtonState(Option()->AccessoryKind() == GStaplingButtonFeature::kStaplerStackerKind,
                                  Option()->GetValue()));
}
