#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include "rw/RWBTree.h"
#include "tests/rw/SortedTestItem.h"

namespace {
// Owns the items a test puts in a tree.
class Items {
public:
    SortedTestItem* Make(int32_t value) {
        items_.push_back(std::make_unique<SortedTestItem>(value));
        return items_.back().get();
    }

private:
    std::vector<std::unique_ptr<SortedTestItem>> items_;
};

std::vector<int32_t> Values(const RWBTree& tree) {
    std::vector<int32_t> values;
    tree.Apply(
        [](RWCollectable* item, void* out) {
            static_cast<std::vector<int32_t>*>(out)->push_back(static_cast<SortedTestItem*>(item)->value());
        },
        &values);
    return values;
}

int32_t ValueOf(const RWCollectable* item) {
    return static_cast<const SortedTestItem*>(item)->value();
}

// Checks the B-tree's shape: every node but the root holds 50..100 items,
// the root 1..100, items ascend within each node and between subtrees, all
// leaves lie at the same depth. Returns the number of items.
size_t CheckNode(const RWBTree::Node* node, bool isRoot, int depth, int& leafDepth) {
    EXPECT_LE(node->count, RWBTree::kMaxItems);
    EXPECT_GE(node->count, isRoot ? 1u : RWBTree::kOrder);
    for (uint32_t i = 1; i < node->count; ++i)
        EXPECT_LT(ValueOf(node->items[i - 1]), ValueOf(node->items[i]));
    if (node->IsLeaf()) {
        if (leafDepth < 0) leafDepth = depth;
        EXPECT_EQ(depth, leafDepth);
        for (uint32_t i = 0; i <= RWBTree::kMaxItems; ++i)
            EXPECT_EQ(node->children[i], nullptr);
        return node->count;
    }
    size_t total = node->count;
    for (uint32_t i = 0; i <= node->count; ++i) {
        EXPECT_NE(node->children[i], nullptr);
        total += CheckNode(node->children[i], false, depth + 1, leafDepth);
    }
    return total;
}

void CheckShape(const RWBTree& tree) {
    if (tree.Root() == nullptr) {
        EXPECT_EQ(tree.Entries(), 0u);
        return;
    }
    int leafDepth = -1;
    EXPECT_EQ(CheckNode(tree.Root(), true, 0, leafDepth), tree.Entries());
    EXPECT_EQ(static_cast<int>(tree.Height()), leafDepth + 1);
}
} // namespace

TEST(RWBTreeTest, HundredAndOneInsertsSplitTheRootAroundTheMiddle) {
    // In increasing, decreasing and interleaved order the shape is the same:
    // the 51st item over two children of 50.
    std::vector<std::vector<int32_t>> orders(3, std::vector<int32_t>(101));
    std::iota(orders[0].begin(), orders[0].end(), 0);
    std::iota(orders[1].rbegin(), orders[1].rend(), 0);
    for (int32_t i = 0; i < 101; ++i)
        orders[2][static_cast<size_t>(i)] = i % 2 == 0 ? i / 2 : 100 - i / 2;
    for (const auto& order : orders) {
        Items items;
        RWBTree tree;
        for (int32_t v : order)
            tree.Insert(items.Make(v));
        ASSERT_NE(tree.Root(), nullptr);
        EXPECT_EQ(tree.Root()->count, 1u);
        EXPECT_EQ(ValueOf(tree.Root()->items[0]), 50);
        EXPECT_EQ(tree.Root()->children[0]->count, 50u);
        EXPECT_EQ(tree.Root()->children[1]->count, 50u);
        EXPECT_EQ(tree.Height(), 2u);
        CheckShape(tree);
    }
}

TEST(RWBTreeTest, EqualItemIsNotInsertedTwice) {
    Items items;
    RWBTree tree;
    SortedTestItem* first = items.Make(7);
    EXPECT_EQ(tree.Insert(first), first);
    EXPECT_EQ(tree.Insert(items.Make(7)), first);
    EXPECT_EQ(tree.Insert(nullptr), nullptr);
    EXPECT_EQ(tree.Entries(), 1u);
    SortedTestItem probe(7);
    EXPECT_EQ(tree.Find(&probe), first);
    EXPECT_EQ(tree.OccurrencesOf(&probe), 1u);
    EXPECT_TRUE(tree.Contains(&probe));
    SortedTestItem missing(8);
    EXPECT_EQ(tree.Find(&missing), nullptr);
}

TEST(RWBTreeTest, RemovingEveryItemInAnyOrderEmptiesTheTree) {
    std::mt19937 random(11);
    for (int round = 0; round < 3; ++round) {
        Items items;
        RWBTree tree;
        std::vector<int32_t> values(3000);
        std::iota(values.begin(), values.end(), 0);
        std::shuffle(values.begin(), values.end(), random);
        for (int32_t v : values)
            tree.Insert(items.Make(v));
        CheckShape(tree);
        if (round == 1) std::sort(values.begin(), values.end());
        if (round == 2) std::sort(values.rbegin(), values.rend());
        for (size_t i = 0; i < values.size(); ++i) {
            SortedTestItem key(values[i]);
            RWCollectable* removed = tree.Remove(&key);
            ASSERT_NE(removed, nullptr) << values[i];
            EXPECT_NE(removed, &key); // the member, not the key
            EXPECT_EQ(ValueOf(removed), values[i]);
            EXPECT_EQ(tree.Remove(&key), nullptr);
            if (i % 250 == 0) CheckShape(tree);
        }
        EXPECT_EQ(tree.Root(), nullptr);
        EXPECT_EQ(tree.Height(), 0u);
        EXPECT_EQ(tree.Entries(), 0u);
    }
}

TEST(RWBTreeTest, KeepsItemsInOrderThroughMixedChanges) {
    std::mt19937 random(5);
    Items items;
    RWBTree tree;
    std::vector<int32_t> expected;
    for (int i = 0; i < 20000; ++i) {
        const int32_t v = static_cast<int32_t>(random() % 5000);
        SortedTestItem key(v);
        if (random() % 3 == 0) {
            const bool present = std::binary_search(expected.begin(), expected.end(), v);
            EXPECT_EQ(tree.Remove(&key) != nullptr, present);
            if (present) expected.erase(std::lower_bound(expected.begin(), expected.end(), v));
        } else if (tree.Find(&key) == nullptr) {
            tree.Insert(items.Make(v));
            expected.insert(std::lower_bound(expected.begin(), expected.end(), v), v);
        }
    }
    CheckShape(tree);
    EXPECT_EQ(Values(tree), expected);
}

TEST(RWBTreeTest, CopiesShareTheMembersAndCompareByContents) {
    Items items;
    RWBTree tree;
    for (int32_t v = 0; v < 300; ++v)
        tree.Insert(items.Make(v));
    RWBTree copy(tree);
    EXPECT_EQ(Values(copy), Values(tree));
    EXPECT_TRUE(copy.IsEqual(&tree));
    SortedTestItem key(3);
    EXPECT_EQ(copy.Find(&key), tree.Find(&key));

    RWBTree other;
    other.Insert(items.Make(1));
    EXPECT_FALSE(other.IsEqual(&tree));
    other = tree;
    EXPECT_TRUE(other.IsEqual(&tree));
    other.Remove(&key);
    other.Insert(items.Make(1000));
    EXPECT_FALSE(other.IsEqual(&tree)); // same count, another member

    std::unique_ptr<RWCollectable> made(tree.Copy());
    EXPECT_EQ(made->IsA(), __RWBTREE);
    EXPECT_TRUE(made->IsEqual(&tree));
}

TEST(RWBTreeTest, ClearAndDestroyDeletesEveryMemberOnce) {
    const int before = CollectionTestItem::live;
    RWBTree tree;
    for (int32_t v = 0; v < 500; ++v)
        tree.Insert(new SortedTestItem(v));
    tree.ClearAndDestroy();
    EXPECT_EQ(CollectionTestItem::live, before);
    EXPECT_EQ(tree.Root(), nullptr);
    tree.Insert(new SortedTestItem(1));
    SortedTestItem key(1);
    tree.RemoveAndDestroy(&key);
    EXPECT_EQ(CollectionTestItem::live, before + 1); // the key itself
}
