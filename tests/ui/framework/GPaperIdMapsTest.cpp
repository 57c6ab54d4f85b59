// The envelope group of paper ids and the papers kept as custom sizes.
#include <gtest/gtest.h>

#include <set>

#include "model/GEnumAttribute.h"
#include "model/GSettingIds.h"
#include "paper/GCustomMediaSize.h"
#include "ui/framework/GPaperIdMaps.h"

namespace {

TEST(GPaperIdMapsTest, TheEnvelopeGroupHoldsItsPaperIdsOnly) {
    const std::set<int> group = {8, 9, 10, 11, 12, 13, 14, 15, 16, 50, 52, 59, 60, 73};
    for (int paperId = -1; paperId <= 200; ++paperId) {
        SCOPED_TRACE(paperId);
        EXPECT_EQ(IsPaperSizeInGroup(static_cast<int16_t>(paperId)), group.count(paperId) ? 1 : 0);
    }
    EXPECT_EQ(IsPaperSizeInGroup(16384), 0);
    EXPECT_EQ(IsPaperSizeInGroup(-32768), 0);
}

TEST(GPaperIdMapsTest, APaperKeptAsACustomSizeMapsToTheSizeWithItsName) {
    GEnumAttribute sizes(GSettingId::kCustomPaperSizes);
    sizes.Add(new GCustomMediaSize(16385, "16K", 3, 197000, 273000));
    sizes.Add(new GCustomMediaSize(16386, "Japanese Postcard", 3, 100000, 148000));
    sizes.Add(new GCustomMediaSize(16387, "Japanese Postcard", 3, 100000, 148000));
    sizes.Add(new GCustomMediaSize(16388, "B5 (ISO)", 3, 176000, 250000));
    struct Case {
        int16_t paperId;
        const char* paperName;
        uint16_t expected; // 0: none
    };
    const Case cases[] = {
        {43, "16K", 16385},
        {69, "Japanese Postcard", 16386}, // the first of two
        {56, "B5 (ISO)", 16388},
        {56, "b5 (iso)", 0}, // names compare exactly
        {71, "Double Japanese Postcard", 0},
        {1, "16K", 0}, // not a paper kept as a custom size
        {40, "16K", 0},
        {45, "16K", 0},
    };
    const std::set<int> mapped = {41, 42, 43, 44, 51, 56, 58, 62, 65, 66, 68, 69, 70, 71};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paperId);
        const GCustomSizeMatch match = MapPaperIdToCustomSize(c.paperId, c.paperName, &sizes);
        EXPECT_EQ(match.paperId, c.expected);
        EXPECT_EQ(match.name, RWCString(c.expected != 0 ? c.paperName : ""));
    }
    // Every paper of the set maps, every other does not.
    for (int paperId = 0; paperId <= 100; ++paperId) {
        SCOPED_TRACE(paperId);
        GEnumAttribute one(GSettingId::kCustomPaperSizes);
        one.Add(new GCustomMediaSize(16390, "Paper", 1, 100, 100));
        EXPECT_EQ(MapPaperIdToCustomSize(static_cast<int16_t>(paperId), "Paper", &one).paperId,
                  mapped.count(paperId) ? 16390 : 0);
    }
    EXPECT_EQ(MapPaperIdToCustomSize(43, "16K", nullptr).paperId, 0);
}

} // namespace
