#pragma once
// Texts of the property sheets: strings of the resource library and the
// texts of dialog items.
#include <cstdint>

#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

// The string with the id from the resource library, at most 255
// characters (longer strings are cut); its length, 0 (and an empty text)
// when the library has no such string or none is loaded.
int32_t LoadResString(uint16_t id, RWWString& text);

// Sets the text of the dialog's item only when it differs from the text
// the item shows, so an unchanged text sends no change notice. An item
// that cannot tell its length (an answer below 0) is not read: it gets the
// text.
void SetItemTextIfChanged(HWND dialog, int id, const RWWString& text);
