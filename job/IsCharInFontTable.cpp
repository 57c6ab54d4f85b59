#include "job/IsCharInFontTable.h"

#include <algorithm>

namespace {

constexpr size_t kHeaderWords = 4;
constexpr size_t kCheckedCharacters = 16;

} // namespace

// The segment count of a table whose words hold all its arrays, else 0.
size_t FontTableSegmentCount(const uint16_t* table, size_t words) {
    if (table == nullptr || words < kHeaderWords) return 0;
    if (table[0] % 2 != 0) return 0;
    const size_t segments = table[0] / 2;
    if (words < kHeaderWords + 2 * segments + 1) return 0;
    return segments;
}

int32_t IsCharInFontTable(WCHAR character, const uint16_t* table, size_t words) {
    const size_t segments = FontTableSegmentCount(table, words);
    if (segments == 0) return 0;
    const uint16_t* endCodes = table + kHeaderWords;
    const uint16_t* startCodes = endCodes + segments + 1;
    const uint16_t* found = std::lower_bound(endCodes, endCodes + segments, static_cast<uint16_t>(character));
    if (found == endCodes + segments) return 0;
    return startCodes[found - endCodes] <= character ? 1 : 0;
}

int32_t AreCharsInFontTable(const WCHAR* text, size_t length, const uint16_t* table, size_t words) {
    if (text == nullptr) return 0;
    for (size_t i = 0; i < std::min(length, kCheckedCharacters) && text[i] != 0; ++i) {
        if (IsCharInFontTable(text[i], table, words) == 0) return 0;
    }
    return 1;
}
