#include "winapi/internal/WinStaticControl.h"

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlSupport.h"

LRESULT CALLBACK WinStaticControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        WinControlSupport::Attach<WinStaticControl>(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (WinControlSupport::HandleFont(window, message, wParam, result)) return result;
    switch (message) {
    case WM_LBUTTONUP:
        if ((WinControlSupport::Style(window) & SS_NOTIFY) != 0 && IsWindowEnabled(window))
            WinControlSupport::NotifyParent(window, STN_CLICKED);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_PRINTCLIENT:
        WinControlPainter::PaintStatic(window, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
