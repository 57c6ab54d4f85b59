#pragma once
// The string ids of the display texts of option values, for the list
// controls of the tabs. Every table answers -1 (0xFFFF as a 16-bit id) for
// a value it does not list; a list then shows no text for that value. Some
// listed ids have no string in the table on purpose: their lists show no
// text either.
#include <cstdint>

enum class GOptionValueTable {
    kColourMatchMode,     // 0 Vivid, 1 Screen Match
    kPrintQualityLevel,   // levels 7..12
    kOutputAccessoryType, // 0 none, 2 mailbox, 3 job separator, 4 stacker, 5 collator
    kResolution,          // 0..6
    kThreeState,          // 0..2
    kBooklet,             // 0 off, 1..14 paper and binding
    kPageOrder,           // pages per sheet: 0..3
    kHalftone,            // 0 Detail, 1 Smooth
};

// The string id of value in table; -1 when the table does not list it.
int32_t OptionValueStringId(GOptionValueTable table, int32_t value);
