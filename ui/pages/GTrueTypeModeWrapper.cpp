#include "ui/pages/GTrueTypeModeWrapper.h"

#include "ui/pages/GOptionControlHelpers.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

namespace {

constexpr GComboItem kOutlines{13503, GTrueTypeModeFeature::kOutlines};
constexpr GComboItem kTrueType{13501, GTrueTypeModeFeature::kTrueType};
constexpr GComboItem kBitmaps{13502, GTrueTypeModeFeature::kBitmaps};
constexpr GComboItem kSubstitutions[] = {{13504, 0}, {13506, 2}, {13505, 1}};

constexpr uint16_t kSendModeCombo = 1;
constexpr uint16_t kSubstitutionCombo = 3;

} // namespace

void GTrueTypeModeWrapper::OnAttach() {
    sendMode_.Attach(Dialog(), static_cast<uint16_t>(ControlId(kSendModeCombo)));
    substitution_.Attach(Dialog(), static_cast<uint16_t>(ControlId(kSubstitutionCombo)));
    if (Option() == nullptr) return;
    const bool outlines = HasItemText(kOutlines.stringId);
    const bool forced = Option()->BitmapsForced();
    // Bitmaps being the only way left, the settings say so from the start.
    if (!outlines || forced) Option()->SetSendMode(GTrueTypeModeFeature::kBitmaps);
    sendMode_.ResetContent();
    if (outlines && !forced) AddComboItem(sendMode_, kOutlines);
    if (HasItemText(kTrueType.stringId) && !forced) AddComboItem(sendMode_, kTrueType);
    AddComboItem(sendMode_, kBitmaps);
    substitution_.ResetContent();
    for (const GComboItem& item : kSubstitutions)
        AddComboItem(substitution_, item);
}

LRESULT GTrueTypeModeWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || HIWORD(wParam) != CBN_SELCHANGE) return 0;
    if (LOWORD(wParam) == ControlId(kSendModeCombo)) {
        TakeSendMode();
    } else if (LOWORD(wParam) == ControlId(kSubstitutionCombo)) {
        TakeSubstitution();
    } else {
        return 0;
    }
    return 1;
}

void GTrueTypeModeWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->AnyChanged() == 0)) return;
    sendMode_.SelectByData(Option()->SendMode());
    substitution_.SelectByData(Option()->Substitution());
}

void GTrueTypeModeWrapper::TakeValue() {
    TakeSendMode();
    TakeSubstitution();
}

void GTrueTypeModeWrapper::TakeSendMode() {
    if (Option() == nullptr) return;
    LRESULT mode = sendMode_.GetSelectedData();
    if (mode < 0)
        mode = HasItemText(kOutlines.stringId) ? GTrueTypeModeFeature::kOutlines
                                               : GTrueTypeModeFeature::kBitmaps;
    Option()->SetSendMode(static_cast<int16_t>(mode));
}

void GTrueTypeModeWrapper::TakeSubstitution() {
    if (Option() == nullptr) return;
    const LRESULT substitution = substitution_.GetSelectedData();
    Option()->SetSubstitution(static_cast<int16_t>(substitution < 0 ? 0 : substitution));
}
