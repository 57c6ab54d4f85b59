#include "ui/pages/GCustomSizeButtonWrapper.h"

#include "winapi/WinWindow.h"

LRESULT GCustomSizeButtonWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || Option() == nullptr) return 0;
    Option()->LoadForEditing(static_cast<uint16_t>(Option()->GetValue()));
    if (dialog_) dialog_->Run(Dialog(), 0);
    return 1;
}
