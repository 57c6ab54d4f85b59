#include "ui/pages/GStapleOptionsWrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinUser.h"

namespace {

constexpr uint16_t kOneStapleButton = 0;
constexpr uint16_t kAngledBox = 1;

struct RadioChoice {
    uint16_t index;
    int16_t value;
};

// Every radio button with the choice it stands for, in table order.
constexpr RadioChoice kRadios[] = {{kOneStapleButton, GStapleOptionsFeature::kOneStaple},
                                   {2, GStapleOptionsFeature::kTwoStaples},
                                   {3, GStapleOptionsFeature::kThreeStaples},
                                   {4, GStapleOptionsFeature::kSixStaples},
                                   {5, GStapleOptionsFeature::kCustom}};

} // namespace

LRESULT GStapleOptionsWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED || Option() == nullptr) return 0;
    const uint16_t control = LOWORD(wParam);
    if (control == ControlId(kAngledBox)) {
        TakeValue();
        return 1;
    }
    for (const RadioChoice& radio : kRadios) {
        if (control != ControlId(radio.index)) continue;
        CheckOnly(radio.index);
        TakeValue();
        return 1;
    }
    return 0;
}

void GStapleOptionsWrapper::CheckOnly(uint16_t checked) {
    for (const RadioChoice& radio : kRadios)
        CheckDlgButton(Dialog(), Button(radio.index), radio.index == checked ? BST_CHECKED : BST_UNCHECKED);
}

bool GStapleOptionsWrapper::AngledUsable() {
    const int16_t value = Option()->GetValue();
    return Option()->AngledAllowed() &&
           (value == GStapleOptionsFeature::kOneStaple || value == GStapleOptionsFeature::kOneAngled);
}

void GStapleOptionsWrapper::Refresh() {
    GOptionWrapper::Refresh();
    if (Option() != nullptr) EnableControl(kAngledBox, AngledUsable() ? 1 : 0);
}

void GStapleOptionsWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    const int16_t value = Option()->GetValue();
    uint16_t checked = kOneStapleButton;
    for (const RadioChoice& radio : kRadios)
        if (radio.value == value) checked = radio.index;
    CheckOnly(checked);
    const bool angled = value == GStapleOptionsFeature::kOneAngled && Option()->AngledAllowed();
    CheckDlgButton(Dialog(), Button(kAngledBox), angled ? BST_CHECKED : BST_UNCHECKED);
    EnableControl(kAngledBox, AngledUsable() ? 1 : 0);
}

void GStapleOptionsWrapper::TakeValue() {
    if (Option() == nullptr) return;
    int16_t value = GStapleOptionsFeature::kOneStaple;
    for (const RadioChoice& radio : kRadios) {
        if (IsDlgButtonChecked(Dialog(), Button(radio.index)) != BST_CHECKED) continue;
        value = radio.value;
        break;
    }
    if (value == GStapleOptionsFeature::kOneStaple &&
        IsDlgButtonChecked(Dialog(), Button(kAngledBox)) == BST_CHECKED)
        value = GStapleOptionsFeature::kOneAngled;
    Option()->SetValue(value);
}
