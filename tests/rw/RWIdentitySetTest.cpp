#include <gtest/gtest.h>

#include "CollectionTestItem.h"
#include "rw/RWIdentitySet.h"
#include "rw/RWSet.h"

namespace {

using Item = CollectionTestItem;

TEST(RWIdentitySetTest, HoldsDistinctObjectsByAddress) {
    Item first(4), second(4), probe(4);
    RWIdentitySet set(0);
    EXPECT_EQ(set.Buckets(), 2u);
    EXPECT_EQ(set.Insert(&first), &first);
    EXPECT_EQ(set.Insert(&second), &second); // equal, but another object
    EXPECT_EQ(set.Insert(&first), &first);
    EXPECT_EQ(set.Entries(), 2u);
    EXPECT_EQ(set.Find(&probe), nullptr);
    EXPECT_EQ(set.Find(&second), &second);
    EXPECT_EQ(set.OccurrencesOf(&first), 1u);
    EXPECT_EQ(set.Remove(&probe), nullptr);
    EXPECT_EQ(set.Remove(&first), &first);
    EXPECT_EQ(set.Entries(), 1u);

    RWSet plain; // the same two objects: the plain set keeps the first only
    plain.Insert(&first);
    plain.Insert(&second);
    EXPECT_EQ(plain.Entries(), 1u);
}

TEST(RWIdentitySetTest, ClearAndDestroyDeletesEveryMember) {
    const int before = Item::live;
    RWIdentitySet set;
    set.Insert(new Item(1));
    set.Insert(new Item(1));
    auto* again = new Item(2);
    set.Insert(again);
    set.Insert(again);
    set.Insert(&set); // never deletes itself
    EXPECT_EQ(Item::live, before + 3);
    set.ClearAndDestroy();
    EXPECT_TRUE(set.IsEmpty());
    EXPECT_EQ(Item::live, before);
}

TEST(RWIdentitySetTest, EqualityComparesObjectsNotValues) {
    // Same size, and every member of one is IsEqual to a member of the
    // other, yet they hold different objects.
    Item a1(1), a2(1), b(2);
    RWIdentitySet left, right, same;
    left.Insert(&a1);
    left.Insert(&a2);
    right.Insert(&a1);
    right.Insert(&b);
    same.Insert(&a2);
    same.Insert(&a1);
    EXPECT_FALSE(left.IsEqual(&right));
    EXPECT_FALSE(right.IsEqual(&left));
    EXPECT_TRUE(left.IsEqual(&same));
}

} // namespace
