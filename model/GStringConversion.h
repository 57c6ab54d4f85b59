#pragma once
// The conversions between narrow text (the ANSI code page) and wide text
// that the whole module uses. Each returns 1 on success and 0 when the text
// cannot be converted; the output string is then empty.
#include "rw/RWCString.h"
#include "rw/RWWString.h"

// Decodes the narrow text as ANSI code-page text, up to its first NUL.
int ConvertNarrowToWide(const RWCString& narrow, RWWString& wide);
// All-ASCII text is copied unit by unit (the low bytes); any other text is
// encoded in the ANSI code page, up to its first 0 unit. A character the
// code page does not have fails the conversion.
int ConvertWideToNarrow(const RWWString& wide, RWCString& narrow);
// out shares source's text (copy on write); always 1.
int CopyWideString(const RWWString& source, RWWString& out);
