#include "ui/pages/GImageCompressionWrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

void GImageCompressionWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const uint32_t checked =
        ControlId(Option()->GetValue() == GImageCompressionFeature::kNoCompression ? 0 : 1);
    CheckRadioButton(Dialog(), static_cast<int>(ControlId(0)), static_cast<int>(ControlId(1)),
                     static_cast<int>(checked));
}

void GImageCompressionWrapper::TakeValue() {
    if (Option() == nullptr) return;
    const bool none = IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(0))) == BST_CHECKED;
    Option()->SetValue(none ? GImageCompressionFeature::kNoCompression
                            : GImageCompressionFeature::kRunLength);
}
