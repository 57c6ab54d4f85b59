#pragma once
// What a dialog window keeps beyond a plain window: the template it was made
// from, whether it runs modally, whether EndDialog ended it (and with which
// result), its default push button and the font made for it.
#include "winapi/WinGdiHandles.h"
#include "winapi/WinTypes.h"

struct WinDialogState {
    WORD templateId = 0;
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    WORD defaultId = 1;        // IDOK until DM_SETDEFID
    HFONT ownedFont = nullptr; // made from the template; deleted with the dialog
};
