#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "LeafAttributeTestSupport.h"
#include "model/GValue32Attribute.h"
#include "model/GValueAttribute.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWFactory.h"

using namespace leaftest;

namespace {

// A subclass: it keeps the base's type code.
class TestChoiceCode : public GValueAttribute {
    MPERSISTENT_CLASS_MEMBERS(TestChoiceCode, GValueAttribute, 0x7E31)

public:
    TestChoiceCode() = default;
};

} // namespace

TEST(GValueAttributeTest, ConstructionKindsAndTypeCode) {
    GValueAttribute plain;
    EXPECT_EQ(plain.GetId(), 0u);
    EXPECT_EQ(plain.GetValue(), 0u);
    EXPECT_EQ(plain.GetChanged(), 1u);

    GValueAttribute value(0xBEEF, 42);
    EXPECT_EQ(value.GetId(), 42u);
    EXPECT_EQ(value.GetValue(), 0xBEEF);
    EXPECT_EQ(value.GetChanged(), 1u);
    EXPECT_EQ(value.IsA(), 763);
    EXPECT_TRUE(value.IsKindOf(763));
    EXPECT_TRUE(value.IsKindOf(753));
    EXPECT_TRUE(value.IsKindOf(751));
    EXPECT_FALSE(value.IsKindOf(757));
    EXPECT_EQ(value.GetTypeCode(), 763);
    EXPECT_EQ(TestChoiceCode().GetTypeCode(), 763);

    std::unique_ptr<RWCollectable> made(RWCreateFromFactory(763));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->IsA(), 763);
    EXPECT_EQ(RWClassIdToStringId(763), RWStringID("GValueAttribute"));
}

TEST(GValueAttributeTest, SetBoolStoresOneOrZeroAndIsTrueFollowsTheValue) {
    const struct {
        uint32_t argument;
        uint16_t stored;
    } cases[] = {{0, 0}, {1, 1}, {2, 1}, {0x10000, 1}, {0xFFFFFFFF, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        GValueAttribute value(7, 1);
        value.SetBool(c.argument);
        EXPECT_EQ(value.GetValue(), c.stored);
        EXPECT_EQ(value.IsTrue(), c.stored != 0);
        EXPECT_EQ(value.IsFalse(), c.stored == 0);
    }
    GValueAttribute big(0x100, 1); // non-zero even though its low byte is 0
    EXPECT_TRUE(big.IsTrue());
}

TEST(GValueAttributeTest, EqualityComparesClassIdAndValueButNotChangedOrSerial) {
    GValueAttribute base(5, 100);
    GValueAttribute applied(5, 100);
    applied.SetChanged(0);
    applied.SetSerial(base.GetSerial() + 9);
    EXPECT_TRUE(base.IsEqualId(&applied));
    EXPECT_TRUE(base.IsEqualId(&base));

    GValueAttribute otherValue(6, 100);
    GValueAttribute otherId(5, 101);
    GValue32Attribute otherClass(5, 100);
    TestChoiceCode sub;
    sub.SetId(100);
    sub.SetValue(5);
    EXPECT_FALSE(base.IsEqualId(&otherValue));
    EXPECT_FALSE(base.IsEqualId(&otherId));
    EXPECT_FALSE(base.IsEqualId(&otherClass));
    EXPECT_FALSE(base.IsEqualId(&sub)); // same type code, another class
    EXPECT_FALSE(base.IsEqualId(nullptr));
}

TEST(GValueAttributeTest, SavedFormIsTheAttributeWordsThenVersionAndAShort) {
    GValueAttribute value(0x1234, 42);
    value.SetSerial(7);
    value.SetChanged(0);
    // root: version 1, id 42, serial 7; attribute: version 1, changed 0;
    // own: version 1, value 0x1234 as two bytes.
    const std::string expected = Words({1, 42, 7, 1, 0, 1}) + std::string("\x34\x12", 2);
    EXPECT_EQ(RawGuts(value), expected);
    EXPECT_EQ(FileGuts(value), expected);
    EXPECT_EQ(value.BinaryStoreSize(), 26u);
}

TEST(GValueAttributeTest, RestoreOfAnotherVersionKeepsTheValueAndFailsTheStream) {
    const struct {
        const char* what;
        std::string bytes;
        uint16_t value;
        bool failed;
    } cases[] = {
        {"version 1", Words({1, 9, 3, 1, 0, 1}) + U16(0xABCD), 0xABCD, false},
        {"version 2", Words({1, 9, 3, 1, 0, 2}) + U16(0xABCD), 77, true},
        {"cut value", Words({1, 9, 3, 1, 0, 1}) + U8(0xCD), 77, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GValueAttribute value(77, 1);
        std::stringbuf buffer(c.bytes);
        RWBinaryInStream stream(&buffer);
        value.RestoreGuts(stream);
        EXPECT_EQ(value.GetValue(), c.value);
        EXPECT_EQ(value.GetId(), 9u);
        EXPECT_EQ(stream.fail(), c.failed);
    }
}
