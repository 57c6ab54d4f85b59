#pragma once
// The "Edit" class (single-line use). Typed characters (WM_CHAR) replace
// the selection, within the text limit (EN_MAXTEXT when it would be passed)
// and the ES_NUMBER, ES_UPPERCASE, ES_LOWERCASE and ES_READONLY styles;
// every change of the text, typed or set (WM_SETTEXT, EM_REPLACESEL), sends
// EN_UPDATE and EN_CHANGE. Focus changes send EN_SETFOCUS and EN_KILLFOCUS.
// Setting the text clears the modified flag; typing sets it.
#include <cstddef>

#include "winapi/WinControls.h"
#include "winapi/WinGdiHandles.h"
#include "winapi/internal/WinControlState.h"

class WinEditControl : public WinControlState {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    static constexpr size_t kDefaultLimit = 32767;
    size_t limit = kDefaultLimit;
    size_t selectionStart = 0;
    size_t selectionEnd = 0;
    bool modified = false;
    bool systemBackground = true; // COLOR_WINDOW unless EM_SETBKGNDCOLOR says otherwise
    COLORREF background = 0;
};
