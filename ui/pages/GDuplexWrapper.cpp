#include "ui/pages/GDuplexWrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"

namespace {
constexpr uint16_t kBothSidesBox = 0;
constexpr uint16_t kFlipBox = 1;
constexpr uint16_t kSpareBox = 2;

UINT CheckOf(bool checked) {
    return checked ? BST_CHECKED : BST_UNCHECKED;
}
} // namespace

bool GDuplexWrapper::FlipUsable() const {
    return Option()->GetValue() != GDuplexFeature::kOff && !Option()->BookletOn();
}

void GDuplexWrapper::Refresh() {
    GOptionWrapper::Refresh();
    if (Option() != nullptr) EnableControl(kFlipBox, FlipUsable() ? 1 : 0);
}

void GDuplexWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    if (ControlCount() > kSpareBox) {
        CheckDlgButton(Dialog(), Box(kSpareBox), BST_UNCHECKED);
        EnableControl(kSpareBox, 0);
    }
    const int16_t value = Option()->GetValue();
    CheckDlgButton(Dialog(), Box(kBothSidesBox), CheckOf(value != GDuplexFeature::kOff));
    const bool flipUsable = FlipUsable();
    CheckDlgButton(Dialog(), Box(kFlipBox), CheckOf(flipUsable && value == GDuplexFeature::kFlipUp));
    EnableControl(kFlipBox, flipUsable ? 1 : 0);
}

void GDuplexWrapper::TakeValue() {
    if (Option() == nullptr) return;
    int16_t value = GDuplexFeature::kOff;
    if (IsDlgButtonChecked(Dialog(), Box(kBothSidesBox)) == BST_CHECKED)
        value = IsDlgButtonChecked(Dialog(), Box(kFlipBox)) == BST_CHECKED ? GDuplexFeature::kFlipUp
                                                                           : GDuplexFeature::kBothSides;
    Option()->SetValue(value);
}
