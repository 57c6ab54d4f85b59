#pragma once
// Whether a character lies in one of the segments of a character table in
// the form of a TrueType "cmap" format-4 subtable's segment list, as 16-bit
// words:
//
//   word 0                not read
//   word 1                segment count x 2
//   words 2 to 4          search range, entry selector, range shift
//   then                  the segments' end codes (ascending), one reserved
//                         word, the segments' start codes
//
// The table comes from configuration data: nothing past its length is read,
// and a table too short for its segment count contains nothing.
#include <cstddef>
#include <cstdint>

// 1 when start code <= code <= end code for a segment, else 0; a null table
// gives 0.
int32_t CmapSegmentContains(uint16_t code, const uint16_t* table, size_t words);
