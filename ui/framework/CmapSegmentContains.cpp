#include "ui/framework/CmapSegmentContains.h"

#include "job/IsCharInFontTable.h"

int32_t CmapSegmentContains(uint16_t code, const uint16_t* table, size_t words) {
    if (table == nullptr || words < 1) return 0;
    // The font-table test reads the same list without the leading word.
    return IsCharInFontTable(static_cast<WCHAR>(code), table + 1, words - 1);
}
