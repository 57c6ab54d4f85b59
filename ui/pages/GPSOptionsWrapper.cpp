#include "ui/pages/GPSOptionsWrapper.h"

#include "ui/pages/GOptionControlHelpers.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

namespace {

constexpr GComboItem kOptimisations[] = {{13508, 0}, {13509, 1}};

constexpr uint16_t kCombo = 1;
constexpr uint16_t kMirrorBox = 2;
constexpr uint16_t kNegativeBox = 3;

} // namespace

void GPSOptionsWrapper::OnAttach() {
    optimisation_.Attach(Dialog(), static_cast<uint16_t>(ControlId(kCombo)));
    optimisation_.ResetContent();
    for (const GComboItem& item : kOptimisations)
        AddComboItem(optimisation_, item);
}

LRESULT GPSOptionsWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) return 0;
    const WORD control = LOWORD(wParam);
    if (control == ControlId(kCombo) && HIWORD(wParam) == CBN_SELCHANGE) {
        TakeOptimisation();
    } else if (control == ControlId(kMirrorBox)) {
        TakeBox(kMirrorBox, GPSOptionsFeature::kMirrorPlace);
    } else if (control == ControlId(kNegativeBox)) {
        TakeBox(kNegativeBox, GPSOptionsFeature::kNegativePlace);
    } else {
        return 0;
    }
    return 1;
}

void GPSOptionsWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->AnyChanged() == 0)) return;
    optimisation_.SelectByData(Option()->Value(GPSOptionsFeature::kOptimisationPlace));
    ShowGroupBox(Dialog(), ControlId(kMirrorBox), *Option(), GPSOptionsFeature::kMirrorPlace);
    ShowGroupBox(Dialog(), ControlId(kNegativeBox), *Option(), GPSOptionsFeature::kNegativePlace);
}

void GPSOptionsWrapper::TakeValue() {
    TakeOptimisation();
    TakeBox(kMirrorBox, GPSOptionsFeature::kMirrorPlace);
    TakeBox(kNegativeBox, GPSOptionsFeature::kNegativePlace);
}

void GPSOptionsWrapper::TakeOptimisation() {
    if (Option() == nullptr) return;
    const LRESULT choice = optimisation_.GetSelectedData();
    Option()->SetValue(GPSOptionsFeature::kOptimisationPlace, static_cast<int16_t>(choice < 0 ? 0 : choice));
}

void GPSOptionsWrapper::TakeBox(uint16_t index, size_t place) {
    if (Option() != nullptr) TakeGroupBox(Dialog(), ControlId(index), *Option(), place);
}
