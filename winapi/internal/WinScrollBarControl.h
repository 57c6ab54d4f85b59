#pragma once
// The "ScrollBar" class. It keeps a range, a page and a position (the
// position stays within [minimum, maximum - page + 1] when a page is set);
// a user's scroll is told to the parent with WM_HSCROLL (WM_VSCROLL with
// SBS_VERT) and the scroll bar itself in lParam, then SB_ENDSCROLL. As on
// Windows, the scroll bar does not move by itself: the parent sets the new
// position.
#include "winapi/WinControls.h"
#include "winapi/internal/WinControlState.h"

class WinScrollBarControl : public WinControlState {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int minimum = 0;
    int maximum = 100;
    UINT page = 0;
    int position = 0;
    int trackPosition = 0;

    int Clamp(int value) const;
};
