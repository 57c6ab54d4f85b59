#pragma once
// Message boxes of the property sheets. A resource library whose strings
// are Hebrew or Arabic (its version information's code page 1255 or 1256)
// makes every box read right to left, right-aligned.
#include "winapi/WinTypes.h"

// MessageBoxW with the style, plus MB_RTLREADING | MB_RIGHT for a
// right-to-left resource library; the box's answer.
int ShowMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style);
