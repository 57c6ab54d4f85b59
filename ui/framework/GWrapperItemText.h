#pragma once
// Reading the text of one item of a list or combo box: the length message
// first, then the text into a buffer of that length. A negative length
// answer (LB_ERR, CB_ERR) reads nothing, so no buffer is ever sized from a
// failure.
#include <cstdint>

#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

// true and the text when both messages answered; false and an empty text
// otherwise.
bool ReadListItemText(HWND dialog, uint16_t controlId, UINT lengthMessage, UINT textMessage, LONG_PTR index,
                      RWWString& text);
