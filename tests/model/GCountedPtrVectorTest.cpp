#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModelTestObjects.h"
#include "model/GCountedPtrVector.h"
#include "rw/RWLibraryError.h"

using namespace modeltest;

namespace {

std::vector<GCountedPtr> Leaves(uint32_t n) {
    std::vector<GCountedPtr> leaves;
    for (uint32_t i = 0; i < n; ++i)
        leaves.emplace_back(new TestLeaf(i));
    return leaves;
}

std::vector<uint32_t> Ids(const GCountedPtrVector& vector) {
    std::vector<uint32_t> ids;
    for (uint32_t i = 0; i < vector.Count(); ++i)
        ids.push_back(vector.At(i)->GetId());
    return ids;
}

} // namespace

TEST(GCountedPtrVectorTest, GrowsByCountPlus64OnlyWhenFull) {
    struct Case {
        uint32_t capacity;
        uint32_t children;
        uint32_t after; // capacity after one more append
    };
    const Case cases[] = {{10, 10, 74}, {64, 64, 128}, {0, 0, 64}, {74, 11, 74}, {128, 127, 128}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.capacity << " holding " << c.children);
        GCountedPtrVector vector(c.capacity);
        const auto leaves = Leaves(c.children + 1);
        for (uint32_t i = 0; i < c.children; ++i)
            vector.Append(leaves[i]);
        ASSERT_EQ(vector.Capacity(), c.capacity);
        vector.Append(leaves[c.children]);
        EXPECT_EQ(vector.Capacity(), c.after);
        EXPECT_EQ(vector.Count(), c.children + 1);
        EXPECT_EQ(vector.At(c.children).Get(), leaves[c.children].Get());
        EXPECT_EQ(leaves[0]->GetRefCount(), 1); // the vector and the list
    }
}

TEST(GCountedPtrVectorTest, FailedGrowthLeavesTheVectorAsItWas) {
    GCountedPtrVector vector(2);
    const auto leaves = Leaves(2);
    vector.Append(leaves[0]);
    vector.Append(leaves[1]);
    EXPECT_THROW(vector.Resize(GCountedPtrVector::kMaxCapacity + 1), RWOutOfMemoryError);
    EXPECT_EQ(vector.Capacity(), 2u);
    EXPECT_EQ(vector.Count(), 2u);
    EXPECT_EQ(Ids(vector), (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(leaves[0]->GetRefCount(), 1);
    vector.Append(leaves[0]); // and it still grows afterwards
    EXPECT_EQ(vector.Capacity(), 66u);
}

TEST(GCountedPtrVectorTest, FindsAndCountsByIdentity) {
    const auto leaves = Leaves(3);
    GCountedPtrVector vector(10);
    vector.Append(leaves[0]);
    vector.Append(leaves[1]);
    vector.Append(leaves[0]);
    EXPECT_EQ(vector.IndexOf(leaves[0]), 0u);
    EXPECT_EQ(vector.IndexOf(leaves[1]), 1u);
    EXPECT_EQ(vector.IndexOf(leaves[2]), 0xFFFFFFFFu);
    TestLeaf sameId(0); // equal id, another object
    EXPECT_EQ(vector.IndexOf(&sameId), 0xFFFFFFFFu);
    EXPECT_EQ(vector.Occurrences(leaves[0]), 2u);
    EXPECT_EQ(vector.Occurrences(leaves[2]), 0u);
    EXPECT_EQ(vector.Remove(leaves[2]), 0u);
    EXPECT_EQ(vector.Count(), 3u);
}

TEST(GCountedPtrVectorTest, RemovingMovesLaterSlotsDownAndReleases) {
    const auto leaves = Leaves(5);
    GCountedPtrVector vector(10);
    for (int round = 0; round < 2; ++round) {
        for (const auto& leaf : leaves)
            vector.Append(leaf);
    }
    // 0 1 2 3 4 0 1 2 3 4
    GCountedPtr taken = vector.RemoveAt(1);
    EXPECT_EQ(taken.Get(), leaves[1].Get());
    EXPECT_EQ(Ids(vector), (std::vector<uint32_t>{0, 2, 3, 4, 0, 1, 2, 3, 4}));

    EXPECT_EQ(vector.Remove(leaves[3]), 1u);
    EXPECT_EQ(Ids(vector), (std::vector<uint32_t>{0, 2, 4, 0, 1, 2, 3, 4}));
    EXPECT_EQ(leaves[3]->GetRefCount(), 1);

    EXPECT_EQ(vector.RemoveAll(leaves[2]), 2u);
    EXPECT_EQ(Ids(vector), (std::vector<uint32_t>{0, 4, 0, 1, 3, 4}));
    EXPECT_EQ(leaves[2]->GetRefCount(), 0); // only the list holds it now
    EXPECT_EQ(vector.RemoveAll(leaves[2]), 0u);
    EXPECT_EQ(vector.Capacity(), 10u); // never shrinks by itself
}

TEST(GCountedPtrVectorTest, RemovingAnObjectThroughItsOwnSlotIsSafe) {
    GCountedPtrVector vector(4);
    vector.Append(GCountedPtr(new TestLeaf(1)));
    vector.Append(GCountedPtr(new TestLeaf(2)));
    const int before = TestLeaf::live;
    EXPECT_EQ(vector.RemoveAll(vector.At(0)), 1u);
    EXPECT_EQ(TestLeaf::live, before - 1);
    EXPECT_EQ(Ids(vector), (std::vector<uint32_t>{2}));
}

TEST(GCountedPtrVectorTest, InsertsAtAnIndexAndGrowsWhenFull) {
    const auto leaves = Leaves(4);
    GCountedPtrVector vector(3);
    vector.Append(leaves[0]);
    vector.Append(leaves[1]);
    vector.InsertAt(1, leaves[2]);
    EXPECT_EQ(Ids(vector), (std::vector<uint32_t>{0, 2, 1}));
    vector.InsertAt(0, leaves[3]);
    EXPECT_EQ(vector.Capacity(), 67u);
    EXPECT_EQ(Ids(vector), (std::vector<uint32_t>{3, 0, 2, 1}));
    vector.InsertAt(4, leaves[3]); // at count: appends
    EXPECT_EQ(Ids(vector), (std::vector<uint32_t>{3, 0, 2, 1, 3}));
    EXPECT_THROW(vector.InsertAt(6, leaves[0]), RWBoundsError);
}

TEST(GCountedPtrVectorTest, IndexPastCountRaisesTheIndexError) {
    GCountedPtrVector vector(10);
    vector.Append(GCountedPtr(new TestLeaf(1)));
    try {
        vector.At(1);
        FAIL() << "no error";
    } catch (const RWBoundsError& error) {
        EXPECT_STREQ(error.why(), "[INDEXERR] Illegal Index (1) for collection or string with 1 elements");
    }
    EXPECT_THROW(vector.RemoveAt(5), RWBoundsError);
    EXPECT_EQ(vector.Count(), 1u);
}

TEST(GCountedPtrVectorTest, ResizeKeepsTheFirstSlotsAndReleasesTheRest) {
    const int before = TestLeaf::live;
    GCountedPtrVector vector(10);
    for (uint32_t i = 0; i < 5; ++i)
        vector.Append(GCountedPtr(new TestLeaf(i)));
    vector.Resize(20);
    EXPECT_EQ(vector.Capacity(), 20u);
    EXPECT_EQ(vector.Count(), 5u);
    vector.Resize(3);
    EXPECT_EQ(vector.Capacity(), 3u);
    EXPECT_EQ(Ids(vector), (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(TestLeaf::live, before + 3);
    vector.Resize(0);
    EXPECT_EQ(vector.Count(), 0u);
    EXPECT_EQ(TestLeaf::live, before);
}

TEST(GCountedPtrVectorTest, CopiesShareTheChildren) {
    GCountedPtrVector vector(7);
    vector.Append(GCountedPtr(new TestLeaf(1)));
    GCountedPtrVector copy(vector);
    EXPECT_EQ(copy.Capacity(), 7u);
    EXPECT_EQ(copy.At(0).Get(), vector.At(0).Get());
    EXPECT_EQ(vector.At(0)->GetRefCount(), 1);
    copy.Clear();
    EXPECT_EQ(copy.Count(), 0u);
    EXPECT_EQ(copy.Capacity(), 7u);
    EXPECT_EQ(vector.At(0)->GetRefCount(), 0);
}
