#include "ui/pages/GCustomUnitsWrapper.h"

#include "rw/RWWString.h"
#include "ui/framework/GUIStrings.h"
#include "ui/pages/GCustomLengthText.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace {

constexpr uint16_t kUseInches = 11002;
constexpr uint16_t kUseMillimetres = 11003;

} // namespace

LRESULT GCustomUnitsWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || Option() == nullptr) return 0;
    Option()->SwitchUnits();
    SetFocus(GetDlgItem(Dialog(), static_cast<int>(ControlId(0))));
    return 1;
}

void GCustomUnitsWrapper::ShowValue(uint32_t force) {
    if (Option() == nullptr || (force == 0 && Option()->WasChanged() == 0)) return;
    RWWString text;
    LoadResString(Option()->Unit() == GCustomLengthText::kInches ? kUseMillimetres : kUseInches, text);
    SetItemTextIfChanged(Dialog(), static_cast<int>(ControlId(0)), text);
}
