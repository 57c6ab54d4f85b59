#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ModelTestObjects.h"
#include "model/MPersistentCompositeIterator.h"
#include "model/MPersistentEmptyIterator.h"
#include "rw/RWLibraryError.h"

using namespace modeltest;

TEST(MPersistentCompositeIteratorTest, WalksTheChildrenAndStartsOverAfterTheLast) {
    MPersistentComposite composite(1);
    for (uint32_t id : {10u, 11u, 12u})
        composite.Add(new TestLeaf(id));
    std::unique_ptr<MPersistentIterator> iterator = composite.CreateIterator();
    std::vector<uint32_t> seen;
    while (iterator->Advance())
        seen.push_back(iterator->Current()->GetId());
    EXPECT_EQ(seen, (std::vector<uint32_t>{10, 11, 12}));
    EXPECT_EQ(static_cast<MPersistentCompositeIterator&>(*iterator).Position(), -1);
    ASSERT_TRUE(iterator->Advance()); // before the first child again
    EXPECT_EQ(iterator->Current()->GetId(), 10u);
    iterator->Reset();
    EXPECT_THROW(iterator->Current(), RWBoundsError);
}

TEST(MPersistentCompositeIteratorTest, EmptyCompositeEndsAtOnce) {
    MPersistentComposite composite;
    std::unique_ptr<MPersistentIterator> iterator = composite.CreateIterator();
    EXPECT_FALSE(iterator->Advance());
    EXPECT_FALSE(iterator->Advance());
}

TEST(MPersistentCompositeIteratorTest, ReplaceCurrentSwapsTheChildInPlace) {
    const int before = TestLeaf::live;
    MPersistentComposite composite(1);
    for (uint32_t id : {10u, 11u, 12u})
        composite.Add(new TestLeaf(id));
    std::unique_ptr<MPersistentIterator> iterator = composite.CreateIterator();
    iterator->Advance();
    iterator->Advance();
    auto* replacement = new TestLeaf(20);
    iterator->ReplaceCurrent(replacement);
    EXPECT_EQ(iterator->Current(), replacement);
    EXPECT_EQ(replacement->GetRefCount(), 0);
    EXPECT_EQ(TestLeaf::live, before + 3); // 11 was released and deleted
    EXPECT_EQ(composite.GetCount(), 3u);
    EXPECT_EQ(composite.FindById(11), nullptr);

    // Replacing a child by itself keeps it alive.
    iterator->ReplaceCurrent(iterator->Current());
    EXPECT_EQ(iterator->Current(), replacement);
    EXPECT_EQ(replacement->GetRefCount(), 0);

    iterator->Reset(); // before the first child of a non-empty composite
    EXPECT_THROW(iterator->ReplaceCurrent(replacement), RWBoundsError);
}

TEST(MPersistentCompositeIteratorTest, ReplaceCurrentOnAnEmptyCompositeAppends) {
    MPersistentComposite composite(1);
    std::unique_ptr<MPersistentIterator> iterator = composite.CreateIterator();
    iterator->ReplaceCurrent(new TestLeaf(5));
    EXPECT_EQ(composite.GetCount(), 1u);
    ASSERT_TRUE(iterator->Advance());
    EXPECT_EQ(iterator->Current()->GetId(), 5u);
}

TEST(MPersistentCompositeIteratorTest, EmptyIteratorHasNothing) {
    MPersistentEmptyIterator iterator;
    EXPECT_FALSE(iterator.Advance());
    EXPECT_EQ(iterator.Current(), nullptr);
    TestLeaf leaf(1);
    iterator.ReplaceCurrent(&leaf);
    iterator.Reset();
    EXPECT_EQ(leaf.GetRefCount(), -1);
}
