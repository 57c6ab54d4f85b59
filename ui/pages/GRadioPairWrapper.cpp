#include "ui/pages/GRadioPairWrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

void GRadioPairWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const uint32_t checked = ControlId(Option()->GetValue() == kSecondValue ? 1 : 0);
    CheckRadioButton(Dialog(), static_cast<int>(ControlId(0)), static_cast<int>(ControlId(1)),
                     static_cast<int>(checked));
}

void GRadioPairWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const bool second = IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(1))) == BST_CHECKED;
    Option()->SetValue(second ? kSecondValue : kFirstValue);
}
