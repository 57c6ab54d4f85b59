// The segment test of a format-4 character table, with the leading word it
// does not read.
#include <gtest/gtest.h>

#include <vector>

#include "ui/framework/CmapSegmentContains.h"

namespace {

// Word 0 (not read, deliberately odd), the segment count x 2, three search
// words, the end codes, a reserved word, the start codes.
std::vector<uint16_t> Table(const std::vector<std::pair<uint16_t, uint16_t>>& segments) {
    std::vector<uint16_t> table = {0xFFFF, static_cast<uint16_t>(segments.size() * 2), 0, 0, 0};
    for (const auto& segment : segments)
        table.push_back(segment.second);
    table.push_back(0);
    for (const auto& segment : segments)
        table.push_back(segment.first);
    return table;
}

TEST(CmapSegmentContainsTest, ACharacterIsInWhenASegmentHoldsIt) {
    // Letters only: 'A'-'Z' and 'a'-'z'.
    const std::vector<uint16_t> letters = Table({{0x41, 0x5A}, {0x61, 0x7A}});
    struct Case {
        uint16_t code;
        int32_t in;
    };
    for (const Case& c : {Case{u'A', 1}, Case{u'Z', 1}, Case{u'm', 1}, Case{u'z', 1}, Case{u'@', 0},
                          Case{u'[', 0}, Case{u'`', 0}, Case{u'{', 0}, Case{u'1', 0}, Case{0xFFFF, 0}}) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(CmapSegmentContains(c.code, letters.data(), letters.size()), c.in);
    }
}

TEST(CmapSegmentContainsTest, ManySegmentsAreSearchedAsWell) {
    // Eight segments (count x 2 = 16): every other run of ten codes.
    std::vector<std::pair<uint16_t, uint16_t>> segments;
    for (uint16_t s = 0; s < 8; ++s)
        segments.emplace_back(static_cast<uint16_t>(100 + s * 20), static_cast<uint16_t>(109 + s * 20));
    const std::vector<uint16_t> table = Table(segments);
    for (uint16_t code = 90; code < 270; ++code) {
        const bool in = code >= 100 && code < 260 && (code - 100) % 20 < 10;
        EXPECT_EQ(CmapSegmentContains(code, table.data(), table.size()), in ? 1 : 0) << code;
    }
}

TEST(CmapSegmentContainsTest, NoTableOrATooShortOneHoldsNothing) {
    EXPECT_EQ(CmapSegmentContains(u'A', nullptr, 0), 0);
    std::vector<uint16_t> cut = Table({{0x41, 0x5A}});
    cut.pop_back(); // the start code is missing
    EXPECT_EQ(CmapSegmentContains(u'A', cut.data(), cut.size()), 0);
    const uint16_t justTheFirstWord[] = {2};
    EXPECT_EQ(CmapSegmentContains(u'A', justTheFirstWord, 1), 0);
}

} // namespace
