#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWFactory.h"
#include "rw/RWLibraryError.h"

using namespace modeltest;

namespace {

class GCountedPtrTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        liveBefore_ = TestLeaf::live;
    }
    int Made() const { return TestLeaf::live - liveBefore_; }

private:
    int liveBefore_ = 0;
};

} // namespace

TEST_F(GCountedPtrTest, CountsHoldersAndTheLastReleaseDeletes) {
    auto* leaf = new TestLeaf(1);
    EXPECT_EQ(leaf->GetRefCount(), -1);
    {
        GCountedPtr first(leaf);
        EXPECT_EQ(leaf->GetRefCount(), 0);
        {
            GCountedPtr second(first);
            EXPECT_EQ(leaf->GetRefCount(), 1);
            GCountedPtr third;
            third = second;
            EXPECT_EQ(leaf->GetRefCount(), 2);
        }
        EXPECT_EQ(leaf->GetRefCount(), 0);
        EXPECT_EQ(Made(), 1);
    }
    EXPECT_EQ(Made(), 0);
}

TEST_F(GCountedPtrTest, AssigningTheSameObjectChangesNoCount) {
    GCountedPtr first(new TestLeaf(1));
    GCountedPtr second(first);
    GCountedPtr& same = first;
    first = same;
    EXPECT_EQ(first->GetRefCount(), 1);
    first = second;
    EXPECT_EQ(first->GetRefCount(), 1);
    second.Reset(first.Get());
    EXPECT_EQ(first->GetRefCount(), 1);
}

TEST_F(GCountedPtrTest, AssignmentReleasesTheOldObject) {
    GCountedPtr pointer(new TestLeaf(1));
    GCountedPtr other(new TestLeaf(2));
    pointer = other;
    EXPECT_EQ(Made(), 1);
    EXPECT_EQ(pointer->GetId(), 2u);
    pointer = GCountedPtr();
    other.Reset();
    EXPECT_EQ(Made(), 0);
}

TEST_F(GCountedPtrTest, AssigningAChildOfTheOldObjectKeepsTheChildAlive) {
    // The composite is the child's only way to stay alive until the new
    // reference is taken.
    auto* composite = new MPersistentComposite(1);
    composite->Add(new TestLeaf(2));
    GCountedPtr pointer(composite);
    pointer.Reset(composite->FindById(2));
    ASSERT_TRUE(pointer);
    EXPECT_EQ(pointer->GetId(), 2u);
    EXPECT_EQ(pointer->GetRefCount(), 0);
    EXPECT_EQ(Made(), 1);
}

TEST_F(GCountedPtrTest, DetachGivesTheObjectToTheLastHolderAndACopyOtherwise) {
    auto* leaf = new TestLeaf(7, 70);
    GCountedPtr only(leaf);
    std::unique_ptr<MPersistentObject> detached = only.Detach();
    EXPECT_EQ(detached.get(), leaf);
    EXPECT_EQ(leaf->GetRefCount(), -1);
    EXPECT_FALSE(only);

    GCountedPtr first(detached.release());
    GCountedPtr second(first);
    std::unique_ptr<MPersistentObject> copy = second.Detach();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), leaf);
    EXPECT_EQ(copy->GetId(), 7u);
    EXPECT_EQ(static_cast<TestLeaf*>(copy.get())->value, 70u);
    EXPECT_EQ(copy->GetRefCount(), -1);
    EXPECT_EQ(leaf->GetRefCount(), 0); // still held by first
    EXPECT_EQ(Made(), 2);

    EXPECT_EQ(GCountedPtr().Detach(), nullptr);
}

TEST_F(GCountedPtrTest, IsNeverMadeByTheFactoryOrByCopy) {
    GCountedPtr pointer(new TestLeaf(1));
    EXPECT_EQ(pointer.IsA(), 773);
    EXPECT_TRUE(pointer.IsKindOf(773));
    EXPECT_TRUE(pointer.IsKindOf(751));
    EXPECT_FALSE(pointer.IsKindOf(752));
    EXPECT_EQ(pointer.NewSpecies(), nullptr);
    EXPECT_EQ(pointer.Copy(), nullptr);
    EXPECT_EQ(RWGetFactoryFunction(773), &GCountedPtr::Create);
    EXPECT_EQ(RWCreateFromFactory(RWStringID("GCountedPtr")), nullptr);
}

TEST_F(GCountedPtrTest, CloneObjectIsADeepCopyWithCountMinusOne) {
    GCountedPtr pointer(new TestLeaf(4, 40));
    std::unique_ptr<MPersistentObject> clone = pointer.CloneObject();
    ASSERT_NE(clone, nullptr);
    EXPECT_NE(clone.get(), pointer.Get());
    EXPECT_EQ(clone->GetRefCount(), -1);
    EXPECT_EQ(GCountedPtr().CloneObject(), nullptr);
}

TEST_F(GCountedPtrTest, StoreSizeCountsTheHeldObjectOrTheNilReference) {
    EXPECT_EQ(GCountedPtr().BinaryStoreSize(), 6u); // 0xFFFF and a 32-bit index
    GCountedPtr pointer(new TestLeaf(1));
    // A new object on its own: magic 4 + class id 2 + root 12 + version 4 + value 4.
    EXPECT_EQ(pointer.BinaryStoreSize(), 26u);
}

TEST_F(GCountedPtrTest, SavesTheHeldObjectAndRestoresIntoThePointer) {
    struct Case {
        const char* what;
        bool null;
    };
    for (const Case& c : {Case{"null", true}, Case{"held", false}}) {
        SCOPED_TRACE(c.what);
        GCountedPtr saved(c.null ? nullptr : new TestLeaf(9, 90));
        BytesOut out;
        out.stream << static_cast<const RWCollectable&>(saved);
        // ':' 773 '{' then the held object (or the nil back-reference '@' 0) '}'.
        const std::string held =
            c.null ? U8('@') + U32(0)
                   : U8(':') + U16(0x7E01) + U8('{') + Words({1, 9, saved->GetSerial(), 1, 90}) + U8('}');
        EXPECT_EQ(out.Bytes(), U8(':') + U16(773) + U8('{') + held + U8('}'));

        GCountedPtr restored(new TestLeaf(1)); // replaced by the restore
        BytesIn in(out.Bytes());
        in.stream >> static_cast<RWCollectable&>(restored);
        EXPECT_FALSE(in.stream.fail());
        if (c.null) {
            EXPECT_FALSE(restored);
        } else {
            ASSERT_TRUE(restored);
            EXPECT_NE(restored.Get(), saved.Get());
            EXPECT_EQ(restored->GetId(), 9u);
            EXPECT_EQ(restored->GetRefCount(), 0);
        }
    }
    EXPECT_EQ(Made(), 0);
}

TEST_F(GCountedPtrTest, RestoreRefusesAnObjectThatIsNotPersistent) {
    // ':' 773 '{' ':' 0x8007 (RWCollectable) '{' '}' '}'
    const std::string bytes =
        U8(':') + U16(773) + U8('{') + U8(':') + U16(0x8007) + U8('{') + U8('}') + U8('}');
    GCountedPtr restored;
    BytesIn in(bytes);
    EXPECT_THROW(in.stream >> static_cast<RWCollectable&>(restored), RWInternalError);
    EXPECT_FALSE(restored);
}

TEST_F(GCountedPtrTest, NullCountedPtrIsAlwaysNull) {
    EXPECT_FALSE(NullCountedPtr());
    EXPECT_EQ(NullCountedPtr().Get(), nullptr);
}
