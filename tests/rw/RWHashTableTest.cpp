#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <type_traits>
#include <vector>

#include "CollectionTestItem.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWHashTable.h"
#include "rw/RWHashTableIterator.h"
#include "rw/RWIdentitySet.h"
#include "rw/RWSet.h"

namespace {

using Item = CollectionTestItem;

std::vector<int> Values(RWHashTable& table) {
    std::vector<int> values;
    RWHashTableIterator it(table);
    while (RWCollectable* member = it())
        values.push_back(static_cast<Item*>(member)->value());
    return values;
}

TEST(RWHashTableTest, IsABagOfEqualMembers) {
    Item a(5), a2(5), b(6);
    RWHashTable table;
    EXPECT_EQ(table.Buckets(), 64u);
    EXPECT_EQ(table.Insert(&a), &a);
    EXPECT_EQ(table.Insert(&a2), &a2);
    EXPECT_EQ(table.Insert(&a), &a); // the same object twice too
    table.Insert(&b);
    EXPECT_EQ(table.Entries(), 4u);
    Item probe(5), absent(7);
    EXPECT_EQ(table.OccurrencesOf(&probe), 3u);
    EXPECT_EQ(table.Find(&probe), &a);
    EXPECT_EQ(table.Find(&absent), nullptr);
    EXPECT_EQ(table.Remove(&probe), &a);
    EXPECT_EQ(table.Entries(), 3u);
    EXPECT_EQ(table.Remove(&absent), nullptr);
    EXPECT_EQ(table.Entries(), 3u);
    EXPECT_EQ(table.Insert(nullptr), nullptr);
    EXPECT_EQ(table.Entries(), 3u);
}

TEST(RWHashTableTest, ZeroBucketsMeansTwoThatStillFindEveryMember) {
    RWHashTable table(0);
    EXPECT_EQ(table.Buckets(), 2u);
    std::vector<std::unique_ptr<Item>> items;
    for (int i = 0; i < 9; ++i) {
        items.push_back(std::make_unique<Item>(i * 3));
        table.Insert(items.back().get());
    }
    for (const auto& item : items) {
        Item probe(item->value());
        EXPECT_EQ(table.Find(&probe), item.get());
    }
    // Apply order: bucket 0 (even hashes), then bucket 1, each in insertion order.
    EXPECT_EQ(Values(table), (std::vector<int>{0, 6, 12, 18, 24, 3, 9, 15, 21}));
}

TEST(RWHashTableTest, ResizeChoosesItsCountAndRehashesEveryMember) {
    struct Case {
        int entries;
        size_t requested;
        size_t buckets;
    };
    const Case cases[] = {
        {20, 0, 30},              // at least 12 entries: entries * 3 / 2
        {12, 0, 18}, {11, 0, 16}, // fewer: 16
        {5, 0, 16},  {5, 7, 7},   {0, 0, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries);
        RWHashTable table(4);
        std::vector<std::unique_ptr<Item>> items;
        for (int i = 0; i < c.entries; ++i) {
            items.push_back(std::make_unique<Item>(i));
            table.Insert(items.back().get());
        }
        table.Resize(c.requested);
        EXPECT_EQ(table.Buckets(), c.buckets);
        EXPECT_EQ(table.Entries(), static_cast<size_t>(c.entries));
        for (const auto& item : items)
            EXPECT_EQ(table.Find(item.get()), item.get());
    }
}

TEST(RWHashTableTest, EqualityCountsOccurrencesAndChecksTheClass) {
    Item a(1), b(2), a2(1), b2(2);
    RWHashTable aab(8), abb(8), bab(3);
    aab.Insert(&a);
    aab.Insert(&a2);
    aab.Insert(&b);
    abb.Insert(&a);
    abb.Insert(&b);
    abb.Insert(&b2);
    bab.Insert(&b2);
    bab.Insert(&a);
    bab.Insert(&a2); // the same bag as aab, other buckets and order
    EXPECT_TRUE(aab.IsEqual(&bab));
    EXPECT_TRUE(aab == bab);
    EXPECT_FALSE(aab.IsEqual(&abb));
    EXPECT_FALSE(abb.IsEqual(&aab));
    EXPECT_TRUE(aab != abb);

    RWSet set; // a set with the same members is another class
    RWHashTable ab;
    ab.Insert(&a);
    ab.Insert(&b);
    set.Insert(&a);
    set.Insert(&b);
    EXPECT_FALSE(ab.IsEqual(&set));
    EXPECT_TRUE(ab == set);
}

TEST(RWHashTableTest, IteratorWalksBucketsAndRemovesTheCurrentMember) {
    Item m0(0), m1(1), m2(2), m4(4), m5(5);
    RWHashTable table(4);
    for (Item* item : {&m0, &m4, &m1, &m5, &m2})
        table.Insert(item);
    RWHashTableIterator it(table);
    EXPECT_EQ(it.Key(), nullptr);
    EXPECT_EQ(it(), &m0);
    EXPECT_EQ(it.RemoveCurrent(), &m0);
    EXPECT_EQ(it(), &m4);
    EXPECT_EQ(it.RemoveCurrent(), &m4);
    EXPECT_EQ(it(), &m1); // bucket 0 emptied, on to bucket 1
    Item probe(2);
    EXPECT_EQ(it.FindNext(&probe), &m2);
    EXPECT_EQ(it(), nullptr);
    EXPECT_EQ(it(), nullptr);
    EXPECT_EQ(table.Entries(), 3u);
    EXPECT_EQ(Values(table), (std::vector<int>{1, 5, 2}));
}

TEST(RWHashTableTest, CopySharesMembersButNotBuckets) {
    Item a(1), b(2);
    RWHashTable table(5);
    table.Insert(&a);
    table.Insert(&b);
    std::unique_ptr<RWCollectable> copy(table.Copy());
    auto* other = dynamic_cast<RWHashTable*>(copy.get());
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->Buckets(), 5u);
    EXPECT_EQ(other->Find(&a), &a);
    EXPECT_TRUE(other->IsEqual(&table));
    other->Remove(&a);
    EXPECT_EQ(table.Find(&a), &a);
    EXPECT_EQ(table.Entries(), 2u);
}

} // namespace

namespace {

// Saves a table of n distinct items and restores it on a raw binary stream.
template <typename Table>
std::unique_ptr<Table> SavedAndRestored(int n, std::vector<std::unique_ptr<Item>>& items) {
    Table table;
    for (int i = 0; i < n; ++i) {
        items.push_back(std::make_unique<Item>(i));
        table.Insert(items.back().get());
    }
    std::stringstream bytes;
    {
        RWBinaryOutStream out(bytes);
        out << &table;
    }
    RWBinaryInStream in(bytes);
    RWCollectable* root = nullptr;
    in >> root;
    return std::unique_ptr<Table>(dynamic_cast<Table*>(root));
}

template <typename Table> void ExpectRestoreGrowsBuckets() {
    Item::Register();
    struct Case {
        int members;
        size_t buckets;
    };
    // The create function's 64 buckets, doubled whenever the members come
    // to outnumber them while they arrive.
    const Case cases[] = {{0, 64}, {64, 64}, {65, 128}, {200, 256}, {5000, 8192}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.members);
        std::vector<std::unique_ptr<Item>> originals;
        std::unique_ptr<Table> restored = SavedAndRestored<Table>(c.members, originals);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->Entries(), static_cast<size_t>(c.members));
        EXPECT_EQ(restored->Buckets(), c.buckets);
        std::vector<int> values = Values(*restored);
        std::sort(values.begin(), values.end());
        for (int i = 0; i < c.members; ++i) {
            ASSERT_EQ(values[i], i);
        }
        if constexpr (!std::is_same_v<Table, RWIdentitySet>) {
            for (int i = 0; i < c.members; i += 97) {
                const Item probe(i);
                EXPECT_NE(restored->Find(&probe), nullptr) << i;
            }
        }
        restored->ClearAndDestroy();
    }
}

} // namespace

TEST(RWHashTableTest, RestoreGrowsTheBucketsAsMembersArrive) {
    ExpectRestoreGrowsBuckets<RWHashTable>();
    ExpectRestoreGrowsBuckets<RWSet>();
    ExpectRestoreGrowsBuckets<RWIdentitySet>();
}
