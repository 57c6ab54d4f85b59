#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/MPersistentAssociation.h"
#include "rw/RWLibraryError.h"

using namespace modeltest;
using namespace valuetest;

namespace {

class MPersistentAssociationTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        liveBefore_ = TestLeaf::live;
    }
    int LeavesAlive() const { return TestLeaf::live - liveBefore_; }

private:
    int liveBefore_ = 0;
};

std::string LeafGraph(uint32_t id, uint32_t serial, uint32_t value) {
    return U8(':') + U16(0x7E01) + U8('{') + Words({1, id, serial, 1, value}) + U8('}');
}

uint32_t ValueOf(const MPersistentObject* leaf) {
    return static_cast<const TestLeaf*>(leaf)->value;
}

} // namespace

TEST_F(MPersistentAssociationTest, OwnsKeyAndValueAndCopiesThemDeeply) {
    {
        MPersistentAssociation association(new TestLeaf(1, 10), new TestLeaf(2, 20), 7);
        EXPECT_EQ(LeavesAlive(), 2);

        MPersistentAssociation copy(association);
        EXPECT_EQ(copy.GetId(), 0u); // a new root, not the source's
        EXPECT_NE(copy.GetSerial(), association.GetSerial());
        ASSERT_NE(copy.GetKey(), nullptr);
        EXPECT_NE(copy.GetKey(), association.GetKey());
        EXPECT_EQ(ValueOf(copy.GetKey()), 10u);
        EXPECT_EQ(ValueOf(copy.GetValue()), 20u);
        EXPECT_EQ(LeavesAlive(), 4);

        MPersistentAssociation keyOnly(new TestLeaf(3), nullptr, 8);
        const uint32_t serial = keyOnly.GetSerial();
        keyOnly = association;
        EXPECT_EQ(keyOnly.GetId(), 8u); // id and serial stay
        EXPECT_EQ(keyOnly.GetSerial(), serial);
        EXPECT_EQ(ValueOf(keyOnly.GetValue()), 20u);
        MPersistentAssociation& same = keyOnly;
        keyOnly = same;
        EXPECT_EQ(ValueOf(keyOnly.GetKey()), 10u);
        EXPECT_EQ(LeavesAlive(), 6);

        MPersistentAssociation empty;
        MPersistentAssociation emptyCopy(empty);
        EXPECT_EQ(emptyCopy.GetKey(), nullptr);
        EXPECT_EQ(emptyCopy.GetValue(), nullptr);
    }
    EXPECT_EQ(LeavesAlive(), 0);
}

TEST_F(MPersistentAssociationTest, EqualityComparesIdKeyAndValue) {
    MPersistentAssociation base(new TestLeaf(1, 10), new TestLeaf(2, 20), 7);
    struct Case {
        const char* what;
        MPersistentAssociation other;
        bool equal;
    };
    // TestLeaf equality is by id: the values 99 do not matter.
    Case cases[] = {
        {"same id, equal key and value", MPersistentAssociation(new TestLeaf(1, 99), new TestLeaf(2, 99), 7),
         true},
        {"other id", MPersistentAssociation(new TestLeaf(1), new TestLeaf(2), 8), false},
        {"other key", MPersistentAssociation(new TestLeaf(3), new TestLeaf(2), 7), false},
        {"other value", MPersistentAssociation(new TestLeaf(1), new TestLeaf(3), 7), false},
        {"missing value", MPersistentAssociation(new TestLeaf(1), nullptr, 7), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(base.IsEqualId(&c.other), c.equal);
        EXPECT_EQ(c.other.IsEqualId(&base), c.equal);
    }
    EXPECT_TRUE(base.IsEqualId(&base));
    MPersistentAssociation empty1, empty2;
    EXPECT_TRUE(empty1.IsEqualId(&empty2));
    TestLeaf leaf(7);
    EXPECT_FALSE(base.IsEqualId(&leaf));
}

TEST_F(MPersistentAssociationTest, SavedFormIsVersionThenKeyAndValuePointers) {
    MPersistentAssociation association(new TestLeaf(1, 10), nullptr, 3);
    association.SetSerial(20);
    association.GetKey()->SetSerial(21);
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&association);
    // The association, its key as a new object, the missing value as the nil object.
    const std::string expected = U8(':') + U16(771) + U8('{') + Words({1, 3, 20, 1}) + LeafGraph(1, 21, 10) +
                                 U8('@') + U32(0) + U8('}');
    EXPECT_EQ(out.Bytes(), expected);

    BytesIn in(expected);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    auto* copy = dynamic_cast<MPersistentAssociation*>(restored);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->IsEqualId(&association));
    EXPECT_EQ(copy->GetSerial(), 20u);
    EXPECT_EQ(ValueOf(copy->GetKey()), 10u);
    EXPECT_EQ(copy->GetValue(), nullptr);
}

TEST_F(MPersistentAssociationTest, RestoreReplacesTheOldMembersAndSurvivesEveryEncoding) {
    MPersistentAssociation association(new TestLeaf(1, 10), new TestLeaf(2, 20), 3);
    BytesOut out;
    association.SaveGuts(out.stream);
    MPersistentAssociation target(new TestLeaf(8), new TestLeaf(9), 4);
    BytesIn in(out.Bytes());
    target.RestoreGuts(in.stream);
    EXPECT_FALSE(in.stream.fail());
    EXPECT_TRUE(target.IsEqualId(&association));
    EXPECT_EQ(LeavesAlive(), 4); // the old members are gone

    TempFolder dir;
    for (Encoding encoding : {Encoding::RawBinary, Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(association, encoding);
        ASSERT_NE(restored, nullptr);
        EXPECT_TRUE(restored->IsEqualId(&association));
    }
    std::unique_ptr<MPersistentObject> fromFile = FileRoundTrip(association, dir.Path("association.bin"));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_TRUE(fromFile->IsEqualId(&association));
}

TEST_F(MPersistentAssociationTest, DamagedGraphsAreRefusedWithoutLeaks) {
    const std::string head = U8(':') + U16(771) + U8('{') + Words({1, 3, 20, 1});
    struct Case {
        const char* what;
        std::string bytes;
        bool raises; // REF, else the stream just fails
    };
    const Case cases[] = {
        {"value cut off", head + LeafGraph(1, 21, 10), false},
        {"value is the key again", head + LeafGraph(1, 21, 10) + U8('@') + U32(2) + U8('}'), true},
        {"key is the association itself", head + U8('@') + U32(1), true},
        {"key is no persistent object", head + U8(':') + U16(0x8007) + U8('{') + U8('}'), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BytesIn in(c.bytes);
        MPersistentObject* restored = nullptr;
        if (c.raises) {
            EXPECT_THROW(RestoreMPersistentObjectPtr(in.stream, restored), RWInternalError);
        } else {
            RestoreMPersistentObjectPtr(in.stream, restored);
            EXPECT_TRUE(in.stream.fail());
        }
        EXPECT_EQ(restored, nullptr);
        EXPECT_EQ(LeavesAlive(), 0);
    }
}
