#include "ui/pages/GAboutButtonWrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

LRESULT GAboutButtonWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    const int button = static_cast<int>(ControlId(0));
    if (message != WM_COMMAND || LOWORD(wParam) != button || HIWORD(wParam) != BN_CLICKED ||
        Option() == nullptr)
        return 0;
    Option()->Run(Dialog(), GAboutFeature::kTemplate);
    SetFocus(GetDlgItem(Dialog(), button));
    return 0;
}
