#include <gtest/gtest.h>

#include <vector>

#include "rw/RWErrorHandler.h"
#include "rw/RWPtrSlist.h"

namespace {

bool SameValue(const void* item, const void* argument) {
    return *static_cast<const int*>(item) == *static_cast<const int*>(argument);
}

TEST(RWPtrSlistTest, PositionsSearchesAndCopies) {
    int a = 1, b = 2, c = 3, a2 = 1;
    RWPtrSlist list;
    list.Append(&b);
    list.Prepend(&a);
    list.InsertAt(2, &c);
    list.InsertAfter(0, &a2);
    ASSERT_EQ(list.Entries(), 4u);
    EXPECT_EQ(list.At(1), &a2);
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Last(), &c);
    int one = 1;
    EXPECT_EQ(list.Find(&SameValue, &one), &a);
    EXPECT_EQ(list.Index(&SameValue, &c), 3u);
    EXPECT_EQ(list.Occurrences(&SameValue, &one), 2u);
    EXPECT_TRUE(list.ContainsReference(&a2));
    EXPECT_EQ(list.RemoveReference(&a2), &a2);
    EXPECT_FALSE(list.ContainsReference(&a2));

    RWPtrSlist copy(list);
    EXPECT_EQ(copy.Remove(&SameValue, &one), &a);
    EXPECT_EQ(copy.RemoveFirst(), &b);
    EXPECT_EQ(copy.Entries(), 1u);
    EXPECT_EQ(list.Entries(), 3u); // the copy has links of its own
    list = copy;
    EXPECT_EQ(list.First(), &c);
    EXPECT_EQ(list.Last(), &c);
}

TEST(RWPtrSlistTest, OutOfRangeRaisesIndexErrors) {
    int a = 1;
    RWPtrSlist list;
    EXPECT_THROW(list.At(0), RWBoundsError);
    EXPECT_THROW(list.InsertAfter(0, &a), RWBoundsError);
    EXPECT_THROW(list.InsertAt(1, &a), RWBoundsError);
    list.InsertAt(0, &a);
    EXPECT_EQ(list.RemoveFirst(), &a);
    EXPECT_EQ(list.RemoveFirst(), nullptr);
}

} // namespace
