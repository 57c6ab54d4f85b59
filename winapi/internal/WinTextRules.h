#pragma once
// The text rules of the layer's own calls: lengths of NUL-terminated wide
// text, ASCII case folding and comparison without regard to case,
// conversion between the ANSI code page and UTF-16, and the copy-out rules
// of calls that fill a caller's character buffer. (View and the UTF-8
// conversions are public, winapi/WinText.h.)
#include <string>
#include <string_view>

#include "winapi/WinText.h"
#include "winapi/WinTypes.h"

namespace WinText {
size_t Length(const WCHAR* text);
char16_t FoldChar(char16_t c);
std::u16string Fold(std::u16string_view text);
bool EqualNoCase(std::u16string_view a, std::u16string_view b);
// ANSI code page <-> UTF-16 (null gives empty).
std::u16string FromAnsi(const char* text);
std::u16string FromAnsi(std::string_view text);
std::string ToAnsi(std::u16string_view text);
// The *size-in-characters convention of GetUserNameW and kin: a buffer of
// at least length + 1 gets the text and its NUL, *size = length + 1, TRUE;
// otherwise *size = length + 1, ERROR_INSUFFICIENT_BUFFER, FALSE.
BOOL CopyOutCounted(std::u16string_view text, WCHAR* buffer, DWORD* size);
// The return-value convention of GetTempPathW and kin: with room for the
// text and its NUL, copies and returns the length; else returns length + 1.
DWORD CopyOutReturned(std::u16string_view text, WCHAR* buffer, DWORD size);
} // namespace WinText
