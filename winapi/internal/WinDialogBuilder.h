#pragma once
// Builds dialog windows from templates (winapi/WinDialogTemplate.h): the
// dialog window with its procedure and font, one child window per item, and
// the WM_INITDIALOG that follows. Used by CreateDialogParamW,
// DialogBoxParamW and the property-sheet host.
#include "winapi/WinDialog.h"
#include "winapi/WinDialogTemplate.h"

class WinDialogBuilder {
public:
    // Reads the template of a module by resource id; false (last error set)
    // when the module has none or it is damaged.
    static bool Load(HINSTANCE instance, LPCWSTR templateName, WinDialogTemplate& out, WORD& templateId);
    // Creates the dialog, hidden, as a child of `parent` when the template
    // says DS_CONTROL or WS_CHILD (and a parent is given), else as a
    // top-level window that `parent` owns. Null when an item's class is
    // unknown.
    static HWND Create(HINSTANCE instance, const WinDialogTemplate& dialogTemplate, WORD templateId,
                       HWND parent, DLGPROC procedure, bool modal);
    // Sends WM_INITDIALOG (wParam: the first control that takes the tab,
    // lParam: param) and gives that control the focus when the procedure
    // answers non-zero and `focus` is set.
    static void Initialize(HWND dialog, LPARAM param, bool focus);
    static LONG UnitsToPixelsX(LONG units);
    static LONG UnitsToPixelsY(LONG units);
};
