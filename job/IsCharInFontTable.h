#pragma once
// Whether the printer's font covers characters, by the segments of its
// format-4 character-to-glyph table, given as 16-bit words:
//
//   word 0                segment count x 2 (S = half of it)
//   words 1 to 3          search range, entry selector, range shift
//   words 4 to 3+S        end codes, ascending
//   word 4+S              reserved
//   words 5+S to 4+2S     start codes
//
// The table comes from configuration data: one with no segments, an odd
// count word or fewer words than its segment count needs covers nothing,
// and nothing past its length is read. The search bisects the end codes
// itself rather than trusting the stored search range and entry selector.
#include <cstddef>
#include <cstdint>

#include "winapi/WinTypes.h"

// The number of segments; 0 for a table that covers nothing.
size_t FontTableSegmentCount(const uint16_t* table, size_t words);
// 1 when a segment has start code <= character <= end code, else 0.
int32_t IsCharInFontTable(WCHAR character, const uint16_t* table, size_t words);
// 1 when each of the first 16 characters of text (up to a zero character)
// is covered, else 0.
int32_t AreCharsInFontTable(const WCHAR* text, size_t length, const uint16_t* table, size_t words);
