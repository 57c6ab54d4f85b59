#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "model/MPersistentIterator.h"
#include "rw/RWCString.h"
#include "rw/RWFactory.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFile.h"

using namespace modeltest;

namespace {

class MPersistentObjectTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

} // namespace

// --- Serial numbers ----------------------------------------------------------

TEST(MPersistentSerialTest, FreshCounterStartsAtOneAndSkipsZeroWhenWrapping) {
    // The process-wide counter is this type, constant-initialised to 0.
    MPersistentObject::SerialCounter fresh;
    EXPECT_EQ(fresh.Next(), 1u);
    EXPECT_EQ(fresh.Next(), 2u);
    EXPECT_EQ(fresh.Next(), 3u);

    MPersistentObject::SerialCounter nearEnd(0xFFFFFFFE);
    EXPECT_EQ(nearEnd.Next(), 0xFFFFFFFEu);
    EXPECT_EQ(nearEnd.Next(), 0xFFFFFFFFu);
    EXPECT_EQ(nearEnd.Next(), 1u); // 0 is never handed out
    EXPECT_EQ(nearEnd.Next(), 2u);
}

TEST(MPersistentSerialTest, ObjectsTakeConsecutiveSerialsAndCopiesKeepTheirs) {
    TestLeaf first;
    TestLeaf second;
    EXPECT_NE(first.GetSerial(), 0u);
    EXPECT_EQ(second.GetSerial(), first.GetSerial() + 1);

    TestLeaf copy(second);
    EXPECT_EQ(copy.GetSerial(), second.GetSerial());
    EXPECT_EQ(copy.GetRefCount(), -1);

    TestLeaf assigned;
    assigned = first;
    EXPECT_EQ(assigned.GetSerial(), first.GetSerial());
}

// --- Saved form ----------------------------------------------------------------

TEST_F(MPersistentObjectTest, SavesVersionIdAndSerialAsThreeWords) {
    MPersistentObject object(5);
    object.SetSerial(9);
    BytesOut out;
    object.SaveGuts(out.stream);
    // Three little-endian u32 words: 1, 5, 9.
    const std::string expected("\x01\x00\x00\x00\x05\x00\x00\x00\x09\x00\x00\x00", 12);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(object.BinaryStoreSize(), 12u);
}

TEST_F(MPersistentObjectTest, SavesTheSameWordsToABinaryFile) {
    const qvtest::TempFile temp("mpersistent.bin");
    const std::string path = temp.Path();
    {
        RWBinaryFile file(path.c_str(), "wb+");
        ASSERT_TRUE(file.IsValid());
        MPersistentObject object(5);
        object.SetSerial(9);
        object.SaveGuts(file);
    }
    const std::string bytes = qvtest::ReadFileBytes(path);
    EXPECT_EQ(bytes, std::string("\x01\x00\x00\x00\x05\x00\x00\x00\x09\x00\x00\x00", 12));
}

TEST_F(MPersistentObjectTest, RestoreFollowsTheVersionAndSerialRules) {
    struct Case {
        const char* what;
        std::string bytes;
        uint32_t id; // after the restore (the object starts with id 77, serial 20)
        uint32_t serial;
        bool failed;
    };
    const Case cases[] = {
        {"saved serial replaces", Words({1, 5, 9}), 5, 9, false},
        {"saved serial 0 keeps the own one", Words({1, 5, 0}), 5, 20, false},
        {"another version reads nothing", Words({2, 5, 9}), 77, 20, true},
        {"version 0 reads nothing", Words({0, 5, 9}), 77, 20, true},
        {"cut after the id keeps both", Words({1, 5}), 77, 20, true},
        {"empty stream", "", 77, 20, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MPersistentObject object(77);
        object.SetSerial(20);
        BytesIn in(c.bytes);
        object.RestoreGuts(in.stream);
        EXPECT_EQ(object.GetId(), c.id);
        EXPECT_EQ(object.GetSerial(), c.serial);
        EXPECT_EQ(in.stream.fail(), c.failed);
    }
}

TEST_F(MPersistentObjectTest, AnotherVersionLeavesTheFollowingBytesToTheNextReader) {
    MPersistentObject object(77);
    BytesIn in(Words({2, 5, 9}));
    object.RestoreGuts(in.stream);
    EXPECT_TRUE(in.stream.fail());
    in.stream.clear();
    unsigned long next = 0;
    in.stream >> next;
    EXPECT_EQ(next, 5u); // only the version word was consumed
}

TEST_F(MPersistentObjectTest, AnotherVersionInsideAGraphRefusesTheWholeRestore) {
    // ':' class id '{' root words (version 2) ... '}': the outermost restore yields nothing.
    const std::string bytes = U8(':') + U16(TestLeaf::kClassId) + U8('{') + Words({2, 5, 9, 1, 3}) + U8('}');
    const int liveBefore = TestLeaf::live;
    BytesIn in(bytes);
    RWCollectable* restored = nullptr;
    RWRestoreObjectPointer(in.stream, restored);
    EXPECT_EQ(restored, nullptr);
    EXPECT_TRUE(in.stream.fail());
    EXPECT_EQ(TestLeaf::live, liveBefore); // the half-read object was freed
}

TEST_F(MPersistentObjectTest, GraphRoundTripKeepsIdSerialAndFields) {
    TestLeaf leaf(42, 7);
    leaf.SetSerial(1234);
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&leaf);
    // ':' (0x3A), class id, '{', 1, 42, 1234, own version 1, value 7, '}'.
    const std::string expected = U8(':') + U16(0x7E01) + U8('{') + Words({1, 42, 1234, 1, 7}) + U8('}');
    ASSERT_EQ(out.Bytes(), expected);

    BytesIn in(out.Bytes());
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->IsA(), TestLeaf::kClassId);
    EXPECT_EQ(restored->GetId(), 42u);
    EXPECT_EQ(restored->GetSerial(), 1234u);
    EXPECT_EQ(static_cast<TestLeaf*>(restored)->value, 7u);
}

// --- Leaf answers -----------------------------------------------------------------

TEST_F(MPersistentObjectTest, LeafFindsOnlyItself) {
    TestSubLeaf leaf(5);
    EXPECT_EQ(leaf.FindById(5), &leaf);
    EXPECT_EQ(leaf.FindById(6), nullptr);
    EXPECT_EQ(leaf.FindByClass(TestSubLeaf::kClassId), &leaf);
    EXPECT_EQ(leaf.FindByClass(TestLeaf::kClassId), nullptr); // IsA, not kind
    EXPECT_EQ(leaf.FindByKind(TestLeaf::kClassId), &leaf);
    EXPECT_EQ(leaf.FindByKind(MPersistentObject::kClassId), &leaf);
    EXPECT_EQ(leaf.FindByKind(MPersistentComposite::kClassId), nullptr);
    TestLeaf sameId(5);
    EXPECT_EQ(leaf.FindEqual(&sameId), &leaf);

    EXPECT_EQ(leaf.AsComposite(), nullptr);
    EXPECT_EQ(leaf.GetCount(), 1u);
    EXPECT_EQ(leaf.GetSubtreeSize(), 1u);
    EXPECT_EQ(leaf.GetTypeCode(), TestSubLeaf::kClassId);
    auto iterator = leaf.CreateIterator();
    ASSERT_NE(iterator, nullptr);
    EXPECT_FALSE(iterator->Advance());
    EXPECT_EQ(iterator->Current(), nullptr);
}

TEST_F(MPersistentObjectTest, LeafChildOperationsDoNothing) {
    GCountedPtr holder(new TestLeaf(5));
    MPersistentObject& leaf = *holder;
    GCountedPtr offered(new TestLeaf(6));
    leaf.Add(offered.Get());
    leaf.AddFirst(offered.Get());
    leaf.AddCounted(offered);
    EXPECT_EQ(offered->GetRefCount(), 0); // nobody else took it
    EXPECT_EQ(leaf.Remove(&leaf), nullptr);
    EXPECT_EQ(leaf.RemoveById(5), nullptr);
    EXPECT_EQ(leaf.RemoveByClass(TestLeaf::kClassId), nullptr);
    EXPECT_EQ(leaf.ReplaceById(5, offered.Get()), 0);
    EXPECT_EQ(leaf.Replace(&leaf, offered.Get()), 0);
    EXPECT_FALSE(leaf.RemoveCountedById(5));
    EXPECT_EQ(leaf.ReplaceCountedById(5, offered), 0);
    leaf.RemoveAll();
    EXPECT_EQ(leaf.GetId(), 5u);
}

TEST_F(MPersistentObjectTest, CountedFindsHoldTheLeafOrReturnNull) {
    GCountedPtr holder(new TestLeaf(5));
    EXPECT_FALSE(holder->FindCountedById(6));
    EXPECT_FALSE(holder->FindCountedByClass(TestSubLeaf::kClassId));
    GCountedPtr found = holder->FindCountedById(5);
    EXPECT_EQ(found.Get(), holder.Get());
    EXPECT_EQ(holder->GetRefCount(), 1); // two holders
}

TEST_F(MPersistentObjectTest, LeafCollectsItselfIntoANewComposite) {
    GCountedPtr holder(new TestLeaf(5));
    EXPECT_EQ(holder->CollectById(6), nullptr);
    std::unique_ptr<MPersistentObject> collected = holder->CollectById(5);
    ASSERT_NE(collected, nullptr);
    EXPECT_EQ(collected->IsA(), MPersistentComposite::kClassId);
    ASSERT_EQ(collected->GetCount(), 1u);
    EXPECT_EQ(collected->FindById(5), holder.Get());
    EXPECT_EQ(holder->GetRefCount(), 1);
    collected.reset();
    EXPECT_EQ(holder->GetRefCount(), 0);
}

TEST_F(MPersistentObjectTest, CompareToOrdersByAddressAndIsEqualNeedsClassAndId) {
    TestLeaf pair[2] = {TestLeaf(1), TestLeaf(1)};
    EXPECT_EQ(pair[0].CompareTo(&pair[0]), 0);
    EXPECT_EQ(pair[0].CompareTo(&pair[1]), -1);
    EXPECT_EQ(pair[1].CompareTo(&pair[0]), 1);

    TestSubLeaf sub(1);
    EXPECT_TRUE(pair[0].IsEqual(&pair[1]));
    EXPECT_FALSE(pair[0].IsEqual(&sub)); // same id, another class
    EXPECT_TRUE(pair[0].IsEqualId(&sub));
    EXPECT_TRUE(pair[0].IsNotEqualId(nullptr));
}

// --- Boilerplate -----------------------------------------------------------------

TEST_F(MPersistentObjectTest, ClassMembersGiveIdsKindsAndFactoryCreation) {
    TestSubLeaf leaf(3);
    EXPECT_EQ(leaf.IsA(), 0x7E02);
    EXPECT_TRUE(leaf.IsKindOf(0x7E02));
    EXPECT_TRUE(leaf.IsKindOf(0x7E01));
    EXPECT_TRUE(leaf.IsKindOf(751));
    EXPECT_FALSE(leaf.IsKindOf(752));

    std::unique_ptr<RWCollectable> species(leaf.NewSpecies());
    std::unique_ptr<RWCollectable> copy(leaf.Copy());
    EXPECT_EQ(species->IsA(), 0x7E02);
    EXPECT_EQ(static_cast<MPersistentObject*>(species.get())->GetId(), 0u);
    EXPECT_EQ(static_cast<MPersistentObject*>(copy.get())->GetId(), 3u);

    std::unique_ptr<RWCollectable> made(RWCreateFromFactory(0x7E02));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->IsA(), 0x7E02);
    std::unique_ptr<RWCollectable> composite(RWCreateFromFactory(MPersistentComposite::kClassId));
    ASSERT_NE(composite, nullptr);
    EXPECT_EQ(composite->IsA(), 752);
    EXPECT_EQ(RWClassIdToStringId(752), RWStringID("MPersistentComposite"));
}

TEST_F(MPersistentObjectTest, LeafCloneIsACopyOwnedByTheCaller) {
    TestLeaf leaf(8, 99);
    std::unique_ptr<MPersistentObject> clone = leaf.Clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_NE(clone.get(), &leaf);
    EXPECT_EQ(clone->IsA(), TestLeaf::kClassId);
    EXPECT_EQ(clone->GetSerial(), leaf.GetSerial());
    EXPECT_EQ(static_cast<TestLeaf*>(clone.get())->value, 99u);
    EXPECT_EQ(clone->GetRefCount(), -1);
}

TEST_F(MPersistentObjectTest, ClearSerialsRecursiveZeroesTheWholeTree) {
    MPersistentComposite root(1);
    auto* branch = new MPersistentComposite(2);
    auto* leaf = new TestLeaf(3);
    branch->Add(leaf);
    root.Add(branch);
    root.Add(new TestLeaf(4));
    root.ClearSerialsRecursive();
    EXPECT_EQ(root.GetSerial(), 0u);
    EXPECT_EQ(branch->GetSerial(), 0u);
    EXPECT_EQ(leaf->GetSerial(), 0u);
    EXPECT_EQ(root.FindById(4)->GetSerial(), 0u);
}
