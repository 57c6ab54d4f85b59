#include "winapi/internal/WinControlPainter.h"

#include "winapi/WinControls.h"
#include "winapi/internal/WinControlSupport.h"

LRESULT WinControlPainter::DrawItem(HWND control, HDC dc, UINT type, UINT item, UINT action, UINT state,
                                    RECT rect, ULONG_PTR data) {
    const HWND parent = WinControlSupport::Parent(control);
    if (parent == nullptr) return 0;
    DRAWITEMSTRUCT draw{type, WinControlSupport::Id(control), item, action, state, control, dc, rect, data};
    return SendMessageW(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}
