#include "ui/pages/GFinishingPictureWrapper.h"

#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

void GFinishingPictureWrapper::Refresh() {
    GOptionWrapper::Refresh();
    HWND group = GetDlgItem(Dialog(), static_cast<int>(ControlId(0)));
    if (Option() == nullptr || group == nullptr) return;
    RECT top{0, Option()->GroupTop(), 0, 0};
    MapDialogRect(Dialog(), &top);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(group, &placement);
    placement.rcNormalPosition.top = top.top;
    SetWindowPlacement(group, &placement);
    ShowControl(0, 1);
}
