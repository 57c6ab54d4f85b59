#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GPersistableULong.h"

using namespace modeltest;
using namespace valuetest;

TEST(GPersistableULongTest, SavedGraphIsRootWordsVersionAndValue) {
    GPersistableULong number(0xFFFFFFFF);
    number.SetSerial(12);
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&number);
    // ':' class id 778 '{' version 1, id 0, serial 12, own version 1, value '}'
    EXPECT_EQ(out.Bytes(), U8(':') + U16(778) + U8('{') + Words({1, 0, 12, 1, 0xFFFFFFFF}) + U8('}'));
    EXPECT_EQ(number.BinaryStoreSize(), 20u);
}

TEST(GPersistableULongTest, TheLargestValueSurvivesEveryEncodingAndAFile) {
    GPersistableULong number(0xFFFFFFFF);
    number.SetId(6);
    TempFolder dir;
    for (Encoding encoding : {Encoding::RawBinary, Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(number, encoding);
        ASSERT_NE(restored, nullptr);
        ASSERT_EQ(restored->IsA(), 778);
        EXPECT_EQ(static_cast<GPersistableULong&>(*restored).GetValue(), 0xFFFFFFFFu);
        EXPECT_TRUE(restored->IsEqualId(&number));
    }
    std::unique_ptr<MPersistentObject> fromFile = FileRoundTrip(number, dir.Path("ulong.bin"));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(static_cast<GPersistableULong&>(*fromFile).GetValue(), 0xFFFFFFFFu);
}

TEST(GPersistableULongTest, ComparesUnsignedByValueButHashesByAddress) {
    const GPersistableULong big(0xFFFFFFFF), one(1), otherOne(1);
    EXPECT_EQ(big.CompareTo(&one), 1);
    EXPECT_EQ(one.CompareTo(&big), -1);
    EXPECT_EQ(one.CompareTo(&otherOne), 0);
    EXPECT_TRUE(one.IsEqual(&otherOne));
    EXPECT_FALSE(one.IsEqual(&big));
    EXPECT_NE(one.Hash(), otherOne.Hash());

    // Another class: the root's comparison (by address), never by value.
    const MPersistentObject plain;
    const int byAddress = &one < static_cast<const void*>(&plain) ? -1 : 1;
    EXPECT_EQ(one.CompareTo(&plain), byAddress);
    EXPECT_FALSE(one.IsEqual(&plain));

    GPersistableULong sameId(1);
    EXPECT_TRUE(sameId.IsEqualId(&otherOne));
    sameId.SetId(2);
    EXPECT_FALSE(sameId.IsEqualId(&otherOne));
    EXPECT_FALSE(big.IsEqualId(&one));
    EXPECT_TRUE(big.IsKindOf(778));
    EXPECT_TRUE(big.IsKindOf(751));
    EXPECT_FALSE(big.IsKindOf(777));
}

TEST(GPersistableULongTest, AnotherVersionLeavesTheValue) {
    GPersistableULong number(5);
    BytesIn in(Words({1, 3, 4, 2, 99}));
    number.RestoreGuts(in.stream);
    EXPECT_TRUE(in.stream.fail());
    EXPECT_EQ(number.GetValue(), 5u);
    EXPECT_EQ(number.GetId(), 3u); // the root's part was read
}
