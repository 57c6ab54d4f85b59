#pragma once
// How the layer's controls look when a window is rendered to a picture
// (WM_PRINTCLIENT): each control paints itself into the device context it is
// given, with its client area at the context's origin, in the classic look
// (button face, 3D edges, the window's font or DEFAULT_GUI_FONT). The
// painting splits by kind: buttons, fields (edits, combo and list boxes),
// bars (up-downs, scroll and track bars) and statics, over the shared
// pieces of WinControlPainterKit. Owner-drawn buttons, statics, combo boxes
// and list boxes ask their parent with WM_DRAWITEM instead (ODA_DRAWENTIRE,
// with ODS_FOCUS, ODS_SELECTED and ODS_DISABLED as they apply).
#include "winapi/WinGdiDraw.h"
#include "winapi/WinWindow.h"

class WinControlPainter {
public:
    static void PaintButton(HWND control, HDC dc);
    static void PaintStatic(HWND control, HDC dc);
    static void PaintEdit(HWND control, HDC dc);
    static void PaintComboBox(HWND control, HDC dc);
    static void PaintListBox(HWND control, HDC dc);
    static void PaintUpDown(HWND control, HDC dc);
    static void PaintScrollBar(HWND control, HDC dc);
    static void PaintTrackBar(HWND control, HDC dc);
    // Sends WM_DRAWITEM for a control to its parent; answers the parent's
    // result.
    static LRESULT DrawItem(HWND control, HDC dc, UINT type, UINT item, UINT action, UINT state, RECT rect,
                            ULONG_PTR data);
};
