#pragma once
// The "msctls_updown32" class. A press of an arrow first asks the parent
// with WM_NOTIFY UDN_DELTAPOS (NMUPDOWN: the position and the proposed
// change, which the parent may alter, or refuse by answering non-zero);
// then the position moves (clamped to the range, or wrapped round with
// UDS_WRAP), the buddy's text follows with UDS_SETBUDDYINT, and the parent
// gets WM_VSCROLL (WM_HSCROLL with UDS_HORZ) SB_THUMBPOSITION with the new
// position, then SB_ENDSCROLL. The up arrow moves toward the maximum of the
// range. With UDS_SETBUDDYINT the position is read back from the buddy's
// text before every move. Aligned (UDS_ALIGNRIGHT, UDS_ALIGNLEFT), it takes
// the edge of its buddy's rectangle when it gets the buddy.
#include "winapi/WinControls.h"
#include "winapi/internal/WinControlState.h"

class WinUpDownControl : public WinControlState {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int minimum = 100;
    int maximum = 0;
    int position = 0;
    HWND buddy = nullptr;
};
