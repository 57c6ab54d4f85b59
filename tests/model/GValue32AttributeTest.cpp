#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "LeafAttributeTestSupport.h"
#include "model/GValue32Attribute.h"
#include "model/GValueAttribute.h"
#include "rw/RWBinaryInStream.h"

using namespace leaftest;

TEST(GValue32AttributeTest, ConstructionKindsAndTypeCode) {
    GValue32Attribute plain;
    EXPECT_EQ(plain.GetId(), 0u);
    EXPECT_EQ(plain.GetValue(), 0u);
    EXPECT_EQ(plain.GetChanged(), 1u);

    GValue32Attribute value(0xDEADBEEF, 3);
    EXPECT_EQ(value.GetValue(), 0xDEADBEEFu);
    EXPECT_EQ(value.GetId(), 3u);
    EXPECT_EQ(value.IsA(), 789);
    EXPECT_TRUE(value.IsKindOf(753));
    EXPECT_TRUE(value.IsKindOf(751));
    EXPECT_FALSE(value.IsKindOf(763));
    EXPECT_EQ(value.GetTypeCode(), 789);
}

TEST(GValue32AttributeTest, EqualityComparesClassIdAndAllThirtyTwoBits) {
    GValue32Attribute base(0x00010002, 8);
    GValue32Attribute same(0x00010002, 8);
    same.SetChanged(0);
    GValue32Attribute highDiffers(0x00020002, 8);
    GValueAttribute sixteen(2, 8);
    EXPECT_TRUE(base.IsEqualId(&same));
    EXPECT_FALSE(base.IsEqualId(&highDiffers));
    EXPECT_FALSE(base.IsEqualId(&sixteen));
}

TEST(GValue32AttributeTest, SavedFormIsTheAttributeWordsThenVersionAndALong) {
    GValue32Attribute value(0x89ABCDEF, 5);
    value.SetSerial(11);
    const std::string expected = Words({1, 5, 11, 1, 1, 1}) + std::string("\xEF\xCD\xAB\x89", 4);
    EXPECT_EQ(RawGuts(value), expected);
    EXPECT_EQ(FileGuts(value), expected);
    EXPECT_EQ(value.BinaryStoreSize(), 28u);

    GValue32Attribute restored;
    std::stringbuf buffer(expected);
    RWBinaryInStream stream(&buffer);
    restored.RestoreGuts(stream);
    EXPECT_TRUE(stream.good());
    EXPECT_EQ(restored.GetValue(), 0x89ABCDEFu);
    EXPECT_TRUE(restored.IsEqualId(&value));
}
