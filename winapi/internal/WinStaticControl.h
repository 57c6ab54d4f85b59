#pragma once
// The "Static" class: texts and frames. With SS_NOTIFY a click sends
// STN_CLICKED; without it the control takes no clicks.
#include "winapi/WinControls.h"
#include "winapi/internal/WinControlState.h"

class WinStaticControl : public WinControlState {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
