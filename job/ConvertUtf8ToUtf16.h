#pragma once
// UTF-8 to UTF-16, the counterpart of ConvertUtf16ToUtf8 (whose result
// codes it answers with). Only well-formed UTF-8 is taken: no overlong
// form, no lead byte 0xC0, 0xC1 or above 0xF4, no encoded surrogate, no
// code point above 0x10FFFF (the second byte after 0xE0 is 0xA0-0xBF,
// after 0xED 0x80-0x9F, after 0xF0 0x90-0xBF, after 0xF4 0x80-0x8F).
// Code points above 0xFFFF become surrogate pairs. Both pointers advance
// past what was converted; a sequence that does not fit the target or is
// ill-formed stays whole in the source:
//   kUtf8SourceIllegal     an ill-formed sequence
//   kUtf8SourceExhausted   the source ends inside a sequence that is
//                          well-formed so far
//   kUtf8TargetFull        no room for the next character
#include <cstdint>

#include "job/ConvertUtf16ToUtf8.h"
#include "winapi/WinTypes.h"

int32_t ConvertUtf8ToUtf16(const uint8_t** source, const uint8_t* sourceEnd, WCHAR** target,
                           WCHAR* targetEnd);
