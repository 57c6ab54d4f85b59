#pragma once
// Text conversions for callers of the layer that hold text in other forms:
// NUL-terminated UTF-16 seen as a view, and UTF-8 to and from UTF-16 (the
// resource compiler reads its UTF-8 sources with them, the host program
// prints with them). The layer's own text rules (case folding, the ANSI code
// page, the copy-out conventions of its calls) are internal.
#include <string>
#include <string_view>

#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

namespace WinText {
QV_WINAPI_API std::u16string_view View(const WCHAR* text); // empty for null
QV_WINAPI_API std::u16string FromUtf8(std::string_view text);
QV_WINAPI_API std::string ToUtf8(std::u16string_view text);
} // namespace WinText
