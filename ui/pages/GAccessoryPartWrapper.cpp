#include "ui/pages/GAccessoryPartWrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

void GAccessoryPartWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const bool unit = Option()->GetValue() == GAccessoryPartFeature::kFinishingUnit;
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(0)), unit ? BST_CHECKED : BST_UNCHECKED);
}

void GAccessoryPartWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const bool checked = IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(0))) == BST_CHECKED;
    Option()->SetValue(checked ? GAccessoryPartFeature::kFinishingUnit : 0);
}
