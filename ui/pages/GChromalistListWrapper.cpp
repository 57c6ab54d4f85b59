#include "ui/pages/GChromalistListWrapper.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "winapi/WinControls.h"
#include "winapi/WinWindow.h"

void GChromalistListWrapper::OnAttach() {
    list_.Attach(Dialog(), static_cast<uint16_t>(ControlId(0)));
}

LRESULT GChromalistListWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || HIWORD(wParam) != LBN_SELCHANGE) return 0;
    TakeValue();
    return 1;
}

void GChromalistListWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    list_.ResetContent();
    for (const GChromalistListFeature::Choice& choice : Option()->Choices()) {
        RWWString label;
        if (choice.stringId >= 0) LoadResString(static_cast<uint16_t>(choice.stringId), label);
        list_.AddStringWithData(label.Data(), static_cast<int16_t>(choice.code));
    }
    list_.SelectByData(static_cast<uint16_t>(Option()->GetValue()));
}

void GChromalistListWrapper::TakeValue() {
    const LRESULT data = list_.GetSelectedData();
    if (Option() != nullptr && data != GListBoxWrapper::kNoData)
        Option()->SetValue(static_cast<int16_t>(data));
}
