#include "ui/pages/GChromalistComboWrapper.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

void GChromalistComboWrapper::OnAttach() {
    combo_.Attach(Dialog(), static_cast<uint16_t>(ControlId(0)));
}

LRESULT GChromalistComboWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || HIWORD(wParam) != CBN_SELCHANGE) return 0;
    TakeValue();
    return 1;
}

void GChromalistComboWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    combo_.ResetContent();
    for (const GChromalistListFeature::Choice& choice : Option()->Choices()) {
        RWWString label;
        if (choice.stringId < 0 || LoadResString(static_cast<uint16_t>(choice.stringId), label) == 0)
            continue;
        combo_.AddStringWithData(label.Data(), choice.code);
    }
    combo_.SelectByData(static_cast<uint16_t>(Option()->GetValue()));
}

void GChromalistComboWrapper::TakeValue() {
    const LRESULT data = combo_.GetSelectedData();
    if (Option() != nullptr && data != CB_ERR) Option()->SetValue(static_cast<int16_t>(data));
}
