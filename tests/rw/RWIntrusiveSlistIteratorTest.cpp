#include <gtest/gtest.h>

#include "rw/RWIntrusiveSlist.h"
#include "rw/RWIntrusiveSlistIterator.h"

namespace {

struct Node : RWIntrusiveSlistLink {
    int value = 0;
};

TEST(RWIntrusiveSlistIteratorTest, EmptyListEndsAtTheEndMarker) {
    RWIntrusiveSlist list;
    RWIntrusiveSlistIterator it(list);
    EXPECT_EQ(it.Advance(), nullptr);
    it.ToLast();
    EXPECT_EQ(it.Position(), list.Tail());
    EXPECT_EQ(it.Key(), nullptr);
    EXPECT_FALSE(it.AtFirst());
    EXPECT_FALSE(it.AtLast());
    EXPECT_EQ(it.RemoveCurrent(), nullptr);
}

TEST(RWIntrusiveSlistIteratorTest, MovesInsertsAndRemovesTheCurrentLink) {
    Node n[4];
    RWIntrusiveSlist list;
    list.Append(&n[0]);
    list.Append(&n[2]);
    RWIntrusiveSlistIterator it(list);
    EXPECT_EQ(it.Key(), nullptr);
    EXPECT_EQ(it.Advance(), &n[0]);
    EXPECT_TRUE(it.AtFirst());
    it.InsertAfterPoint(&n[1]);
    EXPECT_EQ(it.Advance(2), &n[2]);
    EXPECT_TRUE(it.AtLast());
    EXPECT_EQ(it.Advance(5), nullptr); // ran past the end
    it.InsertAfterPoint(&n[3]);        // at the end marker: appended
    EXPECT_EQ(list.Last(), &n[3]);
    EXPECT_EQ(list.Entries(), 4u);

    it.ToLast();
    EXPECT_EQ(it.RemoveCurrent(), &n[3]);
    EXPECT_EQ(it.Key(), &n[2]); // back on the predecessor
    EXPECT_EQ(list.Last(), &n[2]);
    it.ToFirst();
    EXPECT_EQ(it.RemoveCurrent(), &n[0]);
    EXPECT_EQ(it.Key(), nullptr); // before the first again
    EXPECT_EQ(it.Advance(), &n[1]);
    EXPECT_EQ(list.Entries(), 2u);
}

} // namespace
