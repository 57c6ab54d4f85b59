#pragma once
// Whether a job name suits a printer that shows ASCII names: looks at the
// first 16 characters (length of them at most), upper-casing a..z in place;
// 0 at once for a character below 0x20, above 0x7E or a double quote (a
// zero character is skipped); else 1 when at least one letter was
// upper-cased, 0 when none was.
#include <cstddef>
#include <cstdint>

#include "winapi/WinTypes.h"

int32_t IsPrintableAsciiName(WCHAR* text, size_t length);
