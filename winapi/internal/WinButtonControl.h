#pragma once
// The "Button" class: push buttons, check boxes, radio buttons, group boxes
// and owner-drawn buttons. A click (WM_LBUTTONDOWN then WM_LBUTTONUP, or
// BM_CLICK) takes the focus, toggles automatic check boxes, checks an
// automatic radio button and clears the others of its group, and sends
// BN_CLICKED; group boxes take no clicks.
#include "winapi/WinControls.h"
#include "winapi/internal/WinControlState.h"

class WinButtonControl : public WinControlState {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
};
