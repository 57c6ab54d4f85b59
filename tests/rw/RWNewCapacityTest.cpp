#include <gtest/gtest.h>

#include <cstdint>

#include "rw/RWLibraryError.h"
#include "rw/RWNewCapacity.h"

namespace {
struct GrowthCase {
    uint32_t capacity;
    uint32_t itemSize;
    uint32_t expected;
};

constexpr char kOverflowText[] =
    "[OVFLOW] Overflow error -> \"Buffer may not resize larger than\" <- (4294967295 max characters)";
} // namespace

TEST(RWNewCapacityTest, FollowsTheGrowthRule) {
    const GrowthCase cases[] = {
        {0, 1, 16},
        {15, 1, 16},
        {15, 4, 16},
        {16, 1, 32},
        {30, 4, 60},
        {0x1FFFFFFF, 4, 0x3FFFFFFE}, // 0x7FFFFFFC bytes: still doubles
        {0x7FFFFFFF, 1, 0xFFFFFFFE}, // exactly 0x7FFFFFFF bytes: still doubles
        {0x80000000, 1, 0xBFFFFFFF}, // 0x7FFFFFFF + 0x40000000
        {0x20000000, 4, 0x2FFFFFFF}, // 0x1FFFFFFF + 0x10000000
        {0x30000000, 4, 0x37FFFFFF}, // 0x1FFFFFFF + 0x18000000
        {0xFFFFFFFC, 1, 0xFFFFFFFD}, // 0x7FFFFFFF + 0x7FFFFFFE: the last step
    };
    for (const GrowthCase& c : cases) {
        EXPECT_EQ(RWNewCapacity(c.capacity, c.itemSize), c.expected)
            << "capacity " << c.capacity << ", item size " << c.itemSize;
    }
}

TEST(RWNewCapacityTest, RaisesOverflowAtTheLimit) {
    const GrowthCase cases[] = {
        {0xFFFFFFFD, 1, 0},                     // 0xFFFFFFFD bytes: no more room
        {0xFFFFFFFF, 1, 0}, {0x40000000, 4, 0}, // 2^32 bytes, which a 32-bit product would see as 0
        {0x7FFFFFFE, 2, 0},                     // the halving step gives the same capacity back
        {0x3FFFFFFF, 4, 0},                     // the halving step would even shrink the buffer
        {0x80000000, 0, 0},                     // twice the capacity does not fit 32 bits
    };
    for (const GrowthCase& c : cases) {
        try {
            RWNewCapacity(c.capacity, c.itemSize);
            ADD_FAILURE() << "no overflow for capacity " << c.capacity << ", item size " << c.itemSize;
        } catch (const RWBoundsError& e) {
            EXPECT_STREQ(e.why(), kOverflowText);
        }
    }
}
