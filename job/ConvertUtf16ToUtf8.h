#pragma once
// UTF-16 to UTF-8 as the Unicode standard defines it: one byte below 0x80,
// two below 0x800, three up to 0xFFFF, four for a surrogate pair. Both
// pointers advance past what was converted; a character that does not fit
// the target is left whole in the source. A zero character is written and
// ends the conversion.
//
// Strict: an unpaired surrogate stops the conversion (kUtf8SourceIllegal)
// before it. Not strict: it is written as its own three bytes. A high
// surrogate that is the source's last unit stops the conversion
// (kUtf8SourceExhausted) before it either way: its pair may follow.
#include <cstdint>

#include "winapi/WinTypes.h"

enum : int32_t {
    kUtf8Done = 0,
    kUtf8SourceExhausted = 1,
    kUtf8TargetFull = 2,
    kUtf8SourceIllegal = 3,
};

int32_t ConvertUtf16ToUtf8(const WCHAR** source, const WCHAR* sourceEnd, uint8_t** target, uint8_t* targetEnd,
                           int strict);
