#pragma once
// The texts the print-quality controls take from the resource library
// (a preset's radio text, the "Current Setting" line): at most 128
// characters, set only when they differ from what the control shows.
#include <cstdint>

#include "winapi/WinTypes.h"

void ShowPresetText(HWND dialog, int controlId, uint16_t stringId);
