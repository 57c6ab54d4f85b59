#include "ui/pages/GFirstPageWrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

LRESULT GFirstPageWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || HIWORD(wParam) != BN_CLICKED) return 0;
    TakeValue();
    return 1;
}

void GFirstPageWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(0)),
                   Option()->GetValue() == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void GFirstPageWrapper::TakeValue() {
    if (Option() == nullptr) return;
    Option()->SetValue(IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(0))) == BST_CHECKED ? 1 : 0);
}
