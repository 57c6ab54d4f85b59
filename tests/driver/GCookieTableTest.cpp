#include <gtest/gtest.h>

#include <vector>

#include "driver/GCookieTable.h"

namespace {
// Stand-ins for registered objects: the table only keeps their addresses.
GDriverContext* Object(uintptr_t n) {
    return reinterpret_cast<GDriverContext*>(n * 16);
}

uint32_t Add(GCookieTable& table, uint32_t seed, GDriverContext* object) {
    return table.Add(seed, object, GCookieTable::NewEntry());
}
} // namespace

TEST(GCookieTableTest, CollidingSeedsCountUpAndSkip0) {
    GCookieTable table;
    struct Case {
        uint32_t seed;
        uint32_t cookie;
    };
    // In order: each row sees the cookies of the rows before it taken.
    const Case cases[] = {
        {0, 1},          {0, 2},     {1, 3},   {0xFFFFFFFE, 0xFFFFFFFE}, {0xFFFFFFFE, 0xFFFFFFFF},
        {0xFFFFFFFF, 4}, // wraps past 0 and the taken 1 to 3
        {64, 64},        {128, 128}, {64, 65},
    };
    uintptr_t n = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seed);
        GDriverContext* object = Object(n++);
        EXPECT_EQ(Add(table, c.seed, object), c.cookie);
        EXPECT_EQ(table.Find(c.cookie), object);
    }
    EXPECT_EQ(table.Count(), std::size(cases));
}

TEST(GCookieTableTest, RemoveFindsTheCookieInItsBucket) {
    GCookieTable table;
    // 1, 65 and 129 share bucket 1.
    ASSERT_EQ(Add(table, 1, Object(1)), 1u);
    ASSERT_EQ(Add(table, 65, Object(2)), 65u);
    ASSERT_EQ(Add(table, 129, Object(3)), 129u);
    EXPECT_EQ(table.Remove(65), Object(2));
    EXPECT_EQ(table.Remove(65), nullptr);
    EXPECT_EQ(table.Remove(2), nullptr);
    EXPECT_EQ(table.Find(1), Object(1));
    EXPECT_EQ(table.Find(129), Object(3));
    EXPECT_EQ(table.Count(), 2u);
    EXPECT_EQ(Add(table, 65, Object(4)), 65u); // free again
}

TEST(GCookieTableTest, VisitsInBucketOrderAndHandsEverythingOver) {
    GCookieTable table;
    Add(table, 66, Object(1)); // bucket 2
    Add(table, 1, Object(2));  // bucket 1
    Add(table, 2, Object(3));  // bucket 2, after 66
    std::vector<GDriverContext*> seen;
    EXPECT_FALSE(table.AnyOf([&](GDriverContext* object) {
        seen.push_back(object);
        return false;
    }));
    EXPECT_EQ(seen, (std::vector<GDriverContext*>{Object(2), Object(1), Object(3)}));
    EXPECT_TRUE(table.AnyOf([](GDriverContext* object) { return object == Object(1); }));

    GCookieTable::Buckets taken = table.TakeAll();
    EXPECT_EQ(table.Count(), 0u);
    EXPECT_EQ(table.Find(66), nullptr);
    ASSERT_NE(taken[2], nullptr);
    EXPECT_EQ(taken[2]->object, Object(1));
    ASSERT_NE(taken[2]->next, nullptr);
    EXPECT_EQ(taken[2]->next->object, Object(3));
}

TEST(GCookieTableTest, SeedsComeFromTheAddressAndAreNever0) {
    int a = 0, b = 0;
    EXPECT_NE(GCookieTable::Seed(&a), 0u);
    EXPECT_NE(GCookieTable::Seed(&a), GCookieTable::Seed(&b));
    EXPECT_EQ(GCookieTable::Seed(nullptr), 1u);
    // 0x00010001 folds to 0x00010001 ^ 0x00000001 = 0x00010000.
    EXPECT_EQ(GCookieTable::Seed(reinterpret_cast<void*>(uintptr_t{0x00010001})), 0x00010000u);
    // The high half of a 64-bit address is folded in first.
    EXPECT_EQ(GCookieTable::Seed(reinterpret_cast<void*>(uintptr_t{0x0000000500000000})), 0x00000005u);
}
