#pragma once
// Where the sheet's dialog templates, strings and bitmaps come from: one
// module handle for the whole module, which UI_INITIALIZE sets to the
// resource library it loads (or to the module's own instance handle).
#include <cstdint>

#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

// The module resources are taken from; null until one is set.
HMODULE ResourceModule();
void SetResourceModule(HMODULE module);

// The string of id from the resource module, at most 255 characters: its
// length; 0 (text empty) when there is no such string.
int32_t LoadResString(uint16_t id, RWWString& text);
