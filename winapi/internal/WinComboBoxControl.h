#pragma once
// The "ComboBox" class: a list of items with a selection, and for
// CBS_SIMPLE and CBS_DROPDOWN an edit part whose text is the window text.
// Choosing an item (the user's selection) takes the focus and sends
// CBN_SELCHANGE when the selection changes; typing into the edit part sends
// CBN_EDITUPDATE and CBN_EDITCHANGE; CB_SETCURSEL and WM_SETTEXT send
// nothing. Owner-drawn combo boxes without CBS_HASSTRINGS keep the value of
// CB_ADDSTRING as item data.
//
// A drop-down combo box (CBS_DROPDOWN, CBS_DROPDOWNLIST) is created with the
// height of its open list, as a dialog template gives it, and then covers
// only its field: the list's height is kept for when it opens
// (CB_GETDROPPEDCONTROLRECT), so the controls under the list's place are
// neither hidden nor hit while it is closed.
#include "winapi/WinControls.h"
#include "winapi/internal/WinControlState.h"
#include "winapi/internal/WinItemList.h"

class WinComboBoxControl : public WinControlState {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WinItemList items;
    LONG_PTR selection = -1;
    size_t limit = 0; // of the edit part; 0: none
    int droppedWidth = 0;
    bool dropped = false;
    UINT itemHeight = 16;
    size_t editStart = 0;
    size_t editEnd = 0;
    LONG droppedHeight = 0; // the open list's, field included

    LONG FieldHeight() const { return static_cast<LONG>(itemHeight) + 6; }
};
