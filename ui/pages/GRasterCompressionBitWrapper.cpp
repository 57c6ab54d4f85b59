#include "ui/pages/GRasterCompressionBitWrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

void GRasterCompressionBitWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const bool set = (static_cast<uint16_t>(Option()->GetValue()) & kBit) != 0;
    CheckDlgButton(Dialog(), static_cast<int>(ControlId(0)), set ? BST_CHECKED : BST_UNCHECKED);
}

void GRasterCompressionBitWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const auto value = static_cast<uint16_t>(Option()->GetValue());
    const bool checked = IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(0))) == BST_CHECKED;
    Option()->SetValue(static_cast<int16_t>(checked ? value | kBit : value & ~kBit));
}
