#include "ui/pages/GCheck292Wrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

void GCheck292Wrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(0)),
                   Option()->GetValue() == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void GCheck292Wrapper::TakeValue() {
    if (Option() == nullptr) return;
    Option()->SetChecked(IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(0))) == BST_CHECKED ? 1 : 0);
}
