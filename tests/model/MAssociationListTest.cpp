#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GResourceMapping.h"
#include "model/MAssociationList.h"

using namespace modeltest;
using namespace valuetest;

namespace {

class MAssociationListTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        liveBefore_ = TestLeaf::live;
    }
    int LeavesAlive() const { return TestLeaf::live - liveBefore_; }

    // key id -> value leaf with the given value
    static MPersistentAssociation* Pair(uint32_t key, uint32_t value) {
        return new MPersistentAssociation(new TestLeaf(key), new TestLeaf(0, value));
    }
    static uint32_t ValueOf(const MPersistentObject* leaf) {
        return leaf != nullptr ? static_cast<const TestLeaf*>(leaf)->value : 0;
    }

private:
    int liveBefore_ = 0;
};

} // namespace

TEST_F(MAssociationListTest, InsertOrReplaceKeepsOneAssociationPerKeyAtTheEnd) {
    MAssociationList list(1);
    list.Add(Pair(1, 10));
    list.Add(Pair(2, 20));
    list.Add(Pair(3, 30));
    EXPECT_EQ(LeavesAlive(), 6);

    MPersistentAssociation* replacement = Pair(1, 11);
    list.InsertOrReplace(replacement);
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_EQ(list.GetChildren().At(2).Get(), replacement);
    EXPECT_EQ(list.GetChildren().At(0)->IsA(), 771);
    TestLeaf key1(1), key2(2);
    EXPECT_EQ(list.Find(&key1), replacement);
    EXPECT_EQ(ValueOf(list.FindValue(&key1)), 11u);
    EXPECT_EQ(ValueOf(list.FindValue(&key2)), 20u);
    EXPECT_EQ(LeavesAlive(), 6 + 2 + 2 - 2); // + the new pair and two probes - the replaced pair

    // The list's own association offered again moves to the end, once.
    MPersistentAssociation* second = list.Find(&key2);
    list.Add(second);
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_EQ(list.GetChildren().At(2).Get(), second);
    EXPECT_EQ(list.Find(&key2), second);
}

TEST_F(MAssociationListTest, AddRefusesOtherKindsAndDeletesWhatNobodyHolds) {
    MAssociationList list(1);
    list.Add(new TestLeaf(5)); // nobody holds it: refused and deleted
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(LeavesAlive(), 0);

    GCountedPtr mapping(new GResourceMapping(7, 1, 2));
    list.Add(mapping.Get()); // held by the caller: refused, kept
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(mapping->GetRefCount(), 0);
    list.Add(nullptr);
    list.InsertOrReplace(nullptr);
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST_F(MAssociationListTest, LookupsAndRemovalsOfAbsentKeysGiveNull) {
    MAssociationList list(1);
    TestLeaf key1(1), key9(9);
    EXPECT_EQ(list.Find(&key1), nullptr);
    list.Add(Pair(1, 10));
    list.Add(new MPersistentAssociation(nullptr, new TestLeaf(0, 5))); // no key: never found
    EXPECT_EQ(list.FindValue(&key9), nullptr);
    EXPECT_EQ(list.FindValue(nullptr), nullptr);
    EXPECT_EQ(list.RemoveByKey(&key9), nullptr);
    MPersistentAssociation absent(new TestLeaf(9), nullptr);
    EXPECT_EQ(list.RemoveByKeyOf(&absent), nullptr);
    EXPECT_EQ(list.RemoveByKeyOf(nullptr), nullptr);
    EXPECT_EQ(list.GetCount(), 2u);
}

TEST_F(MAssociationListTest, RemoveByKeyHandsTheAssociationOver) {
    MAssociationList list(1);
    MPersistentAssociation* first = Pair(1, 10);
    list.Add(first);
    list.Add(Pair(2, 20));
    TestLeaf key1(1);
    std::unique_ptr<MPersistentAssociation> removed = list.RemoveByKey(&key1);
    ASSERT_EQ(removed.get(), first); // unshared: the object itself
    EXPECT_EQ(removed->GetRefCount(), -1);
    EXPECT_EQ(list.GetCount(), 1u);

    MPersistentAssociation probe(new TestLeaf(2), nullptr);
    GCountedPtr shared(list.Find(probe.GetKey()));
    std::unique_ptr<MPersistentAssociation> copy = list.RemoveByKeyOf(&probe);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), shared.Get()); // still held here: a copy
    EXPECT_EQ(ValueOf(copy->GetValue()), 20u);
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST_F(MAssociationListTest, SavedFormIsTheCompositesThenItsOwnVersion) {
    MAssociationList list(6);
    list.SetSerial(2);
    const std::string expected = Words({1, 6, 2, 1, 0, 1});
    BytesOut out;
    list.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(list.BinaryStoreSize(), expected.size());

    list.Add(Pair(1, 10));
    list.Add(Pair(2, 20));
    std::unique_ptr<MPersistentObject> restored = RoundTrip(list, Encoding::Portable);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->IsA(), 772);
    EXPECT_TRUE(restored->IsEqualId(&list));
}

TEST_F(MAssociationListTest, RestoreDropsStrayChildrenAndLaterDuplicateKeys) {
    // Built around the list's own rules, as damaged data could be.
    MAssociationList list(6);
    list.MPersistentComposite::Add(Pair(1, 10));
    list.MPersistentComposite::Add(new TestLeaf(4));
    list.MPersistentComposite::Add(Pair(1, 11));
    list.MPersistentComposite::Add(Pair(2, 20));
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&list);
    const int aliveBefore = LeavesAlive();
    {
        BytesIn in(out.Bytes());
        MPersistentObject* restored = nullptr;
        RestoreMPersistentObjectPtr(in.stream, restored);
        std::unique_ptr<MPersistentObject> owned(restored);
        ASSERT_NE(restored, nullptr);
        EXPECT_FALSE(in.stream.fail());
        auto& copy = static_cast<MAssociationList&>(*restored);
        ASSERT_EQ(copy.GetCount(), 2u);
        TestLeaf key1(1);
        EXPECT_EQ(ValueOf(copy.FindValue(&key1)), 10u);
        EXPECT_EQ(copy.GetChildren().At(1).As<MPersistentAssociation>()->GetKey()->GetId(), 2u);
    }
    EXPECT_EQ(LeavesAlive(), aliveBefore); // dropped children go with the list
}

TEST_F(MAssociationListTest, ADroppedChildReferencedLaterInTheGraphStaysValid) {
    // root [list [stray leaf], the same leaf again]: the second mention is a
    // back-reference to the object the list dropped.
    MPersistentComposite root(1);
    auto* list = new MAssociationList(2);
    auto* stray = new TestLeaf(3, 33);
    list->MPersistentComposite::Add(stray);
    root.Add(list);
    root.Add(stray);
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&root);

    BytesIn in(out.Bytes());
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    const auto& children = static_cast<MPersistentComposite&>(*restored).GetChildren();
    ASSERT_EQ(children.Count(), 2u);
    EXPECT_EQ(children.At(0)->GetCount(), 0u);
    EXPECT_EQ(ValueOf(children.At(1).Get()), 33u);
}
