#include "ui/pages/GPQDetailsButtonWrapper.h"

#include "winapi/WinControls.h"
#include "winapi/WinUser.h"

LRESULT GPQDetailsButtonWrapper::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || LOWORD(wParam) != ControlId(0) || HIWORD(wParam) != BN_CLICKED) return 0;
    if (details_ == nullptr || Option() == nullptr) return 0;
    if (details_->Run(Dialog(), 1) != IDOK) return 0;
    if (Option()->Match() == GPrintQualityPresets::kCustom) Option()->SaveCustom();
    return 1;
}

void GPQDetailsButtonWrapper::Refresh() {
    if (details_ == nullptr) {
        SetState(GFeature::kDisabled);
        return;
    }
    GOptionWrapper::Refresh();
}
