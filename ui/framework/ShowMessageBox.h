#pragma once
// The message boxes of the property sheets: MessageBoxW with the given
// style. The right-to-left flags that a Hebrew or Arabic resource library
// asks for arrive with the reader of its version information.
#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

// The box's answer (IDOK, IDCANCEL, ...).
int ShowMessageBox(HWND owner, const RWWString& text, const RWWString& caption, UINT style);
