// The window classes the layer registers itself: the controls of dialog
// templates and the dialog class.
#include "winapi/WinDialog.h"
#include "winapi/internal/WinButtonControl.h"
#include "winapi/internal/WinComboBoxControl.h"
#include "winapi/internal/WinEditControl.h"
#include "winapi/internal/WinListBoxControl.h"
#include "winapi/internal/WinScrollBarControl.h"
#include "winapi/internal/WinStaticControl.h"
#include "winapi/internal/WinTrackBarControl.h"
#include "winapi/internal/WinUpDownControl.h"
#include "winapi/internal/WinWindowManager.h"

void WinRegisterBuiltInClasses(WinWindowManager& manager) {
    const HCURSOR arrow = manager.CursorHandle(nullptr, 32512);
    const HCURSOR beam = manager.CursorHandle(nullptr, 32513);
    struct Entry {
        const char16_t* name;
        WNDPROC procedure;
        int extra;
        HCURSOR cursor;
    };
    const Entry entries[] = {
        {WC_BUTTONW, WinButtonControl::Procedure, 0, arrow},
        {WC_STATICW, WinStaticControl::Procedure, 0, arrow},
        {WC_EDITW, WinEditControl::Procedure, 0, beam},
        {WC_COMBOBOXW, WinComboBoxControl::Procedure, 0, arrow},
        {WC_LISTBOXW, WinListBoxControl::Procedure, 0, arrow},
        {WC_SCROLLBARW, WinScrollBarControl::Procedure, 0, arrow},
        {UPDOWN_CLASSW, WinUpDownControl::Procedure, 0, arrow},
        {TRACKBAR_CLASSW, WinTrackBarControl::Procedure, 0, arrow},
        {u"#32770", DefDlgProcW, DLGWINDOWEXTRA, arrow},
    };
    for (const Entry& entry : entries) {
        WinWindowClass windowClass;
        windowClass.name = entry.name;
        windowClass.procedure = entry.procedure;
        windowClass.windowExtra = entry.extra;
        windowClass.cursor = entry.cursor;
        windowClass.builtIn = true;
        manager.AddClass(std::move(windowClass));
    }
}
