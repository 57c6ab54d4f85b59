#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GAttributeTestObjects.h"
#include "ModelTestObjects.h"
#include "model/GDisplayStringAttribute.h"
#include "model/GValue32Attribute.h"
#include "rw/RWLibraryError.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFile.h"

using namespace attrtest;
using namespace modeltest;

namespace {

class GAttributeTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        RegisterAttributeTestClasses();
        attributesBefore_ = TestAttribute::live;
        leavesBefore_ = TestLeaf::live;
    }
    int AttributesMade() const { return TestAttribute::live - attributesBefore_; }
    int LeavesMade() const { return TestLeaf::live - leavesBefore_; }

private:
    int attributesBefore_ = 0;
    int leavesBefore_ = 0;
};

} // namespace

TEST_F(GAttributeTest, EveryConstructorStartsChangedAndIsAnAttributeKind) {
    TestAttribute byDefault;
    TestAttribute byId(266);
    GValueAttribute value(3, 266);
    for (const GAttribute* attribute :
         {static_cast<const GAttribute*>(&byDefault), static_cast<const GAttribute*>(&byId),
          static_cast<const GAttribute*>(&value)}) {
        EXPECT_EQ(attribute->GetChanged(), 1u);
        EXPECT_TRUE(attribute->IsKindOf(753));
        EXPECT_TRUE(attribute->IsKindOf(751));
        EXPECT_FALSE(attribute->IsKindOf(752));
    }
    EXPECT_EQ(byDefault.GetId(), 0u);
    EXPECT_EQ(byId.GetId(), 266u);
    // A copy takes the flag over rather than starting changed.
    byId.SetChanged(0);
    TestAttribute copy(byId);
    EXPECT_EQ(copy.GetChanged(), 0u);
    EXPECT_EQ(copy.GetSerial(), byId.GetSerial());
}

TEST_F(GAttributeTest, SavedFormIsTheRootWordsThenVersionAndChanged) {
    TestAttribute attribute(266);
    attribute.SetSerial(9);
    attribute.SetChanged(0);
    BytesOut out;
    attribute.SaveGuts(out.stream);
    // root: version 1, id 266 (0x10A), serial 9; then version 1, changed 0.
    const std::string expected("\x01\x00\x00\x00\x0A\x01\x00\x00\x09\x00\x00\x00"
                               "\x01\x00\x00\x00\x00\x00\x00\x00",
                               20);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(attribute.BinaryStoreSize(), 20u);

    const qvtest::TempFile temp("gattribute.bin");
    const std::string path = temp.Path();
    {
        RWBinaryFile file(path.c_str(), "wb");
        ASSERT_TRUE(file.IsValid());
        attribute.SaveGuts(file);
    }
    const std::string onDisk = qvtest::ReadFileBytes(path);
    EXPECT_EQ(onDisk, expected);
}

TEST_F(GAttributeTest, RestoreReadsChangedOnlyUnderVersionOne) {
    struct Case {
        const char* what;
        std::string bytes;
        uint32_t changed; // the object starts with changed 1
        uint32_t id;      // and id 77
        bool failed;
    };
    const Case cases[] = {
        {"version 1 reads changed", Words({1, 5, 9, 1, 0}), 0, 5, false},
        {"another version keeps changed", Words({1, 5, 9, 2, 0}), 1, 5, true},
        {"cut before changed keeps it", Words({1, 5, 9, 1}), 1, 5, true},
        {"a bad root stops before the flag", Words({2, 5, 9, 1, 0}), 1, 77, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestAttribute attribute(77);
        BytesIn in(c.bytes);
        attribute.RestoreGuts(in.stream);
        EXPECT_EQ(attribute.GetChanged(), c.changed);
        EXPECT_EQ(attribute.GetId(), c.id);
        EXPECT_EQ(in.stream.fail(), c.failed);
    }
}

TEST_F(GAttributeTest, AssignFromTakesIdSerialAndChangedOnlyFromADifferentAttribute) {
    GValueAttribute target(5, 266);
    target.SetSerial(40);
    target.SetChanged(0);

    // Equal by the class's own equality: nothing changes, the flag included.
    GValueAttribute equal(5, 266);
    equal.SetSerial(41);
    equal.SetChanged(1);
    target.AssignFrom(&equal);
    EXPECT_EQ(target.GetSerial(), 40u);
    EXPECT_EQ(target.GetChanged(), 0u);

    // Different: id, serial and changed are taken; the value is not.
    GValueAttribute other(7, 300);
    other.SetSerial(42);
    other.SetChanged(1);
    target.AssignFrom(&other);
    EXPECT_EQ(target.GetId(), 300u);
    EXPECT_EQ(target.GetSerial(), 42u);
    EXPECT_EQ(target.GetChanged(), 1u);
    EXPECT_EQ(target.GetValue(), 5u);

    target.AssignFrom(nullptr);
    EXPECT_EQ(target.GetId(), 300u);
}

TEST_F(GAttributeTest, ApplyCallsTheDeviceOperationOfTheAttributesOwnType) {
    RecordingDevice device;
    device.valueStatus = 11;
    device.stringStatus = 12;
    device.enumStatus = 13;
    device.rangeStatus = 14;

    GValueAttribute value(1, 1);
    GStringAttribute text("a", 2);
    GEnumAttribute choices(3);
    GRangeAttribute range(0, 10, 1, 5, 4);
    struct Case {
        GAttribute* attribute;
        char kind;
        uint16_t status;
        uint32_t changedAfter;
    };
    const Case cases[] = {
        {&value, RecordingDevice::Value, 11, 1},
        {&text, RecordingDevice::String, 12, 1},
        {&choices, RecordingDevice::Enum, 13, 0}, // a choice list clears its own flag
        {&range, RecordingDevice::Range, 14, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        device.calls.clear();
        EXPECT_EQ(c.attribute->Apply(device), c.status);
        ASSERT_EQ(device.calls.size(), 1u);
        EXPECT_EQ(device.calls[0].kind, c.kind);
        EXPECT_EQ(device.calls[0].attribute, c.attribute);
        EXPECT_EQ(c.attribute->GetChanged(), c.changedAfter);
    }

    // Kinds the device has no operation for answer 0 and call nothing.
    device.calls.clear();
    GValue32Attribute value32(70000, 5);
    GDisplayStringAttribute display(6, 100, "one", "two");
    EXPECT_EQ(value32.Apply(device), 0u);
    EXPECT_EQ(display.Apply(device), 0u);
    EXPECT_TRUE(device.calls.empty());
}

TEST_F(GAttributeTest, PointerRestoreAcceptsOnlyAttributes) {
    // A value attribute as a graph: ':' 763 '{' root, attribute, version, u16 value '}'.
    const std::string value =
        U8(':') + U16(763) + U8('{') + Words({1, 266, 9, 1, 0, 1}) + U16(0x1234) + U8('}');
    {
        BytesIn in(value);
        GAttribute* attribute = nullptr;
        RestoreGAttributePtr(in.stream, attribute);
        std::unique_ptr<GAttribute> owned(attribute);
        ASSERT_NE(attribute, nullptr);
        ASSERT_EQ(attribute->IsA(), 763);
        EXPECT_EQ(attribute->GetId(), 266u);
        EXPECT_EQ(attribute->GetChanged(), 0u);
        EXPECT_EQ(static_cast<GValueAttribute*>(attribute)->GetValue(), 0x1234);
    }
    {
        BytesIn in(U8('@') + U32(0)); // the nil object
        TestAttribute before;
        GAttribute* attribute = &before; // the pointer is overwritten
        RestoreGAttributePtr(in.stream, attribute);
        EXPECT_EQ(attribute, nullptr);
        EXPECT_FALSE(in.stream.fail());
    }
    {
        // A persistent object that is not an attribute is refused and freed.
        BytesIn in(U8(':') + U16(TestLeaf::kClassId) + U8('{') + Words({1, 5, 9, 1, 7}) + U8('}'));
        GAttribute* attribute = nullptr;
        EXPECT_THROW(RestoreGAttributePtr(in.stream, attribute), RWInternalError);
        EXPECT_EQ(attribute, nullptr);
        EXPECT_EQ(LeavesMade(), 0);
    }
}

TEST_F(GAttributeTest, PointerRestoreFromAFileReadsTheSameGraph) {
    const qvtest::TempFile temp("gattribute-ptr.bin");
    const std::string path = temp.Path();
    GValueAttribute saved(0x1234, 266);
    saved.SetSerial(9);
    {
        RWBinaryFile file(path.c_str(), "wb");
        file << static_cast<const RWCollectable*>(&saved);
    }
    RWBinaryFile file(path.c_str(), "rb");
    GAttribute* attribute = nullptr;
    RestoreGAttributePtrFromFile(file, attribute);
    std::unique_ptr<GAttribute> owned(attribute);
    ASSERT_NE(attribute, nullptr);
    EXPECT_TRUE(attribute->IsEqualId(&saved));
    EXPECT_EQ(attribute->GetSerial(), 9u);
}
