#pragma once
// The "msctls_trackbar32" class. Unlike a scroll bar, a track bar moves its
// thumb itself on a user's action (line, page, thumb, top, bottom) and then
// tells its parent with WM_HSCROLL (WM_VSCROLL with TBS_VERT), the code and,
// for thumb moves, the new position, followed by TB_ENDTRACK.
#include "winapi/WinControls.h"
#include "winapi/internal/WinControlState.h"

class WinTrackBarControl : public WinControlState {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int minimum = 0;
    int maximum = 100;
    int position = 0;
    int page = 20;
    int line = 1;
    int tickFrequency = 1; // with TBS_AUTOTICKS

    int Clamp(int value) const;
};
