#pragma once
// The C runtime's wide-character helpers, redone for 16-bit units.
//
// The system's wide text is UTF-16 (char16_t); the C library's wcs*, tow*
// and isw* work on the platform's 32-bit wchar_t and cannot be used on it.
// Surrogates are plain units here, as they are for the wide string.
#include <cstddef>

// Number of units before the terminating 0 (wcslen).
size_t RWWideLength(const char16_t* text);

// First unit equal to c, searching up to and including the terminating 0
// (wcschr: looking for 0 finds the terminator); null when absent.
const char16_t* RWWideFind(const char16_t* text, char16_t c);

// Last unit equal to c, the terminator included (wcsrchr); null when absent.
const char16_t* RWWideFindLast(const char16_t* text, char16_t c);

// First unit of text that belongs to the 0-terminated set (wcspbrk).
const char16_t* RWWideFindAny(const char16_t* text, const char16_t* set);

// Simple (one-to-one) Unicode case mapping of a unit of the Basic
// Multilingual Plane; surrogates and units whose mapping would leave the
// plane are returned unchanged. Independent of the process locale.
char16_t RWWideToLower(char16_t c);
char16_t RWWideToUpper(char16_t c);

// Unicode white space (tab to carriage return, blank, next line, no-break
// space and the wide spaces of the punctuation blocks).
bool RWWideIsSpace(char16_t c);
