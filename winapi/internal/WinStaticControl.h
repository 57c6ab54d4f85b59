#pragma once
// The "Static" class: texts, frames and pictures. With SS_NOTIFY a click
// sends STN_CLICKED; without it the control takes no clicks. A picture
// static keeps the bitmap or icon it is given (STM_SETIMAGE, STM_SETICON);
// a bitmap it loaded itself from its "#<number>" title it deletes when it
// is destroyed, unless STM_SETIMAGE handed it back before.
#include "winapi/WinControls.h"
#include "winapi/internal/WinControlState.h"

class WinStaticControl : public WinControlState {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HBITMAP bitmap = nullptr;
    bool ownsBitmap = false;
    HICON icon = nullptr;
};
