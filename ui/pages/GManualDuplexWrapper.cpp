#include "ui/pages/GManualDuplexWrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

void GManualDuplexWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(0)),
                   Option()->GetValue() != kOff ? BST_CHECKED : BST_UNCHECKED);
}

void GManualDuplexWrapper::TakeValue() {
    if (Option() == nullptr) return;
    Option()->SetValue(IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(0))) != 0 ? kOn : kOff);
}
