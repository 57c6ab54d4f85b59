#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GPersistableLong.h"
#include "model/GPersistableULong.h"

using namespace modeltest;
using namespace valuetest;

TEST(GPersistableLongTest, ComparesSignedByValue) {
    struct Case {
        int32_t left, right;
        int result;
    };
    const Case cases[] = {
        {-1, 1, -1},
        {1, -1, 1},
        {INT32_MIN, INT32_MAX, -1},
        {-7, -7, 0},
    };
    for (const Case& c : cases) {
        const GPersistableLong left(c.left), right(c.right);
        EXPECT_EQ(left.CompareTo(&right), c.result) << c.left << " vs " << c.right;
        EXPECT_EQ(left.IsEqual(&right), c.result == 0);
    }
    // The unsigned class is another class: never equal by value.
    const GPersistableLong minusOne(-1);
    const GPersistableULong ones(0xFFFFFFFF);
    EXPECT_FALSE(minusOne.IsEqual(&ones));
    EXPECT_FALSE(minusOne.IsEqualId(&ones));
}

TEST(GPersistableLongTest, SavedFormCarriesTheSignedValue) {
    GPersistableLong number(-2);
    number.SetSerial(3);
    BytesOut out;
    number.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), Words({1, 0, 3, 1, 0xFFFFFFFE}));

    TempFolder dir;
    for (Encoding encoding : {Encoding::RawBinary, Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(number, encoding);
        ASSERT_NE(restored, nullptr);
        ASSERT_EQ(restored->IsA(), 777);
        EXPECT_EQ(static_cast<GPersistableLong&>(*restored).GetValue(), -2);
    }
    std::unique_ptr<MPersistentObject> fromFile = FileRoundTrip(number, dir.Path("long.bin"));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_EQ(static_cast<GPersistableLong&>(*fromFile).GetValue(), -2);
}
