#include "winapi/internal/WinStaticControl.h"

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlProcedure.h"

namespace {
using Call = WinControlCall<WinStaticControl>;

LRESULT ButtonUp(const Call& call) {
    if ((WinControlSupport::Style(call.window) & SS_NOTIFY) != 0 && IsWindowEnabled(call.window))
        WinControlSupport::NotifyParent(call.window, STN_CLICKED);
    return 0;
}

constexpr WinControlRow<WinStaticControl> kRows[] = {
    {WM_SETFONT, WinControlFont<WinStaticControl>},
    {WM_GETFONT, WinControlFont<WinStaticControl>},
    {WM_LBUTTONUP, ButtonUp},
    {WM_GETDLGCODE, WinControlAnswer<WinStaticControl, DLGC_STATIC>},
    {WM_PRINTCLIENT, WinControlPaint<WinStaticControl, WinControlPainter::PaintStatic>},
};
} // namespace

LRESULT CALLBACK WinStaticControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WinControlProcedure<WinStaticControl>(kRows, window, message, wParam, lParam);
}
