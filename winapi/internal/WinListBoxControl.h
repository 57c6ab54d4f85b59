#pragma once
// The "ListBox" class (single selection). Choosing an item takes the focus
// and, with LBS_NOTIFY, sends LBN_SELCHANGE; LB_SETCURSEL sends nothing.
// With LBS_WANTKEYBOARDINPUT a key first goes to the parent as
// WM_VKEYTOITEM: -2 means the parent handled it, -1 asks for the list's own
// action (the arrow keys, Home and End move the selection), a value of 0 or
// more names the item to act on.
#include "winapi/WinControls.h"
#include "winapi/internal/WinControlState.h"
#include "winapi/internal/WinItemList.h"

class WinListBoxControl : public WinControlState {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WinItemList items;
    LONG_PTR selection = -1;
    LONG_PTR top = 0;
    int horizontalExtent = 0;
};
