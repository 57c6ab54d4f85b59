#include "ui/pages/GICMModeWrapper.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

namespace {

struct IcmModeItem {
    uint16_t stringId;
    int16_t mode;
};

constexpr IcmModeItem kIcmModeItems[] = {
    {13556, GICMModeFeature::kDisabled}, {13557, GICMModeFeature::kOff}, {13558, GICMModeFeature::kOn}};

} // namespace

void GICMModeWrapper::OnAttach() {
    combo_.Attach(Dialog(), static_cast<uint16_t>(ControlId(0)));
    combo_.ResetContent();
    for (const IcmModeItem& item : kIcmModeItems) {
        RWWString text;
        LoadResString(item.stringId, text);
        combo_.AddStringWithData(text.Data(), item.mode);
    }
}

LRESULT GICMModeWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || HIWORD(wParam) != CBN_SELCHANGE) return 0;
    TakeValue();
    return 1;
}

void GICMModeWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    combo_.SelectByData(Option()->GetValue());
}

void GICMModeWrapper::TakeValue() {
    const LRESULT mode = combo_.GetSelectedData();
    if (Option() != nullptr && mode >= 0) Option()->SetValue(static_cast<int16_t>(mode));
}
