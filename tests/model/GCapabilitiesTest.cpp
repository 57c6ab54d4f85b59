#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GCapabilities.h"

using namespace modeltest;
using namespace valuetest;

namespace {

// Root words (version 1, id 7, serial 3), then the set's version word.
std::string Head() {
    return Words({1, 7, 3, 1});
}

} // namespace

TEST(GCapabilitiesTest, TwelveBitsSaveALengthWordAndTwoBytes) {
    GCapabilities caps(7, 12);
    caps.SetSerial(3);
    caps.SetBit(0);
    caps.SetBit(9);
    caps.SetBit(11);
    // Bit 0 -> byte 0 bit 0; bits 9 and 11 -> byte 1 bits 1 and 3.
    const std::string expected = Head() + U32(12) + U8(0x01) + U8(0x0A);

    BytesOut out;
    caps.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(caps.BinaryStoreSize(), expected.size());

    TempFolder dir;
    const std::string path = dir.Path("caps.bin");
    {
        RWBinaryFile file(path.c_str(), "wb");
        caps.SaveGuts(file);
    }
    EXPECT_EQ(ReadFileBytes(path), expected);

    GCapabilities restored;
    BytesIn in(expected);
    restored.RestoreGuts(in.stream);
    EXPECT_FALSE(in.stream.fail());
    EXPECT_EQ(restored.GetLength(), 12u);
    EXPECT_TRUE(restored.IsEqualId(&caps));
    EXPECT_EQ(restored.CountSet(), 3u);
}

TEST(GCapabilitiesTest, UnusedBitsOfTheLastByteAreSavedClear) {
    // Restored from a byte whose bits past the length are set.
    GCapabilities caps;
    BytesIn in(Head() + U32(12) + U8(0x01) + U8(0xFA));
    caps.RestoreGuts(in.stream);
    ASSERT_FALSE(in.stream.fail());
    EXPECT_EQ(caps.CountSet(), 3u);
    BytesOut out;
    caps.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), Head() + U32(12) + U8(0x01) + U8(0x0A));
}

TEST(GCapabilitiesTest, SetOperationsGrowTheSet) {
    GCapabilities eight(1, 8);
    eight.SetBit(8);
    EXPECT_EQ(eight.GetLength(), 9u);
    EXPECT_EQ(eight.TestBit(8), 1);
    EXPECT_EQ(eight.CountSet(), 1u);

    GCapabilities empty(1);
    empty.SetBit(20);
    EXPECT_EQ(empty.GetLength(), 21u);

    const uint32_t list[] = {9, 3};
    GCapabilities fromList(1);
    fromList.SetBits(list, 2);
    EXPECT_EQ(fromList.GetLength(), 10u);
    EXPECT_EQ(fromList.TestBit(3), 1);
    EXPECT_EQ(fromList.TestBit(9), 1);
    EXPECT_EQ(fromList.CountSet(), 2u);

    GCapabilities constructed(1, 4, list, 2);
    EXPECT_TRUE(constructed.IsEqualId(&fromList));
    GCapabilities one(1, 4, 6);
    EXPECT_EQ(one.GetLength(), 7u);
    EXPECT_EQ(one.TestBit(6), 1);

    GCapabilities longer(1, 32);
    longer.SetBits(list, 2); // no shrinking
    EXPECT_EQ(longer.GetLength(), 32u);
    longer.SetBits(list, 0);
    EXPECT_EQ(longer.CountSet(), 2u);
}

TEST(GCapabilitiesTest, TestsAndClearsPastTheEndAreHarmless) {
    GCapabilities empty(1);
    EXPECT_EQ(empty.TestBit(0), 0);
    EXPECT_EQ(empty.TestBit(0xFFFFFFFF), 0);

    const uint32_t bits[] = {1, 5};
    GCapabilities caps(1, 8, bits, 2);
    const uint32_t pastEnd[] = {20};
    const uint32_t setAndPast[] = {1, 20};
    const uint32_t setAndClear[] = {1, 2};
    struct Case {
        const char* what;
        const uint32_t* list;
        uint16_t count;
        int all, any, inRange;
    };
    const Case cases[] = {
        {"only member past the end", pastEnd, 1, 0, 0, 0},
        {"set bit and one past the end", setAndPast, 2, 0, 1, 0},
        {"set bit and clear bit", setAndClear, 2, 0, 1, 1},
        {"all set", bits, 2, 1, 1, 1},
        {"empty list", bits, 0, 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(caps.TestAll(c.list, c.count), c.all);
        EXPECT_EQ(caps.TestAny(c.list, c.count), c.any);
        EXPECT_EQ(caps.AllInRange(c.list, c.count), c.inRange);
    }

    caps.ClearBit(20);
    caps.ClearBits(setAndPast, 2);
    EXPECT_EQ(caps.GetLength(), 8u);
    EXPECT_EQ(caps.TestBit(1), 0);
    EXPECT_EQ(caps.TestBit(5), 1);
}

TEST(GCapabilitiesTest, TheSetNeverGrowsPastItsLimit) {
    GCapabilities caps(1);
    caps.SetBit(0xFFFFFFFF); // index + 1 would wrap to 0
    caps.SetBit(GCapabilities::kMaxBits);
    EXPECT_EQ(caps.GetLength(), 0u);
    const uint32_t list[] = {GCapabilities::kMaxBits + 5, 2};
    caps.SetBits(list, 2);
    EXPECT_EQ(caps.GetLength(), 3u);
    caps.SetBit(GCapabilities::kMaxBits - 1);
    EXPECT_EQ(caps.GetLength(), GCapabilities::kMaxBits);

    GCapabilities huge(1, 0xFFFFFFFF);
    EXPECT_EQ(huge.GetLength(), GCapabilities::kMaxBits);
}

TEST(GCapabilitiesTest, RestoreRefusesBadLengthsAndKeepsTheSet) {
    struct Case {
        const char* what;
        std::string bytes;
        bool failed;
        uint32_t length; // after the restore
    };
    const Case cases[] = {
        {"length 0xFFFFFFFF", Head() + U32(0xFFFFFFFF) + U8(0xFF), true, 8},
        {"one past the limit", Head() + U32(GCapabilities::kMaxBits + 1) + std::string(8193, '\xFF'), true,
         8},
        {"bytes cut short", Head() + U32(12) + U8(0x01), true, 8},
        {"length word missing", Head(), true, 8},
        {"another version", Words({1, 7, 3, 2, 12}) + U8(0x01) + U8(0x0A), true, 8},
        {"length 0 keeps the set", Head() + U32(0), false, 8},
        {"the limit itself", Head() + U32(GCapabilities::kMaxBits) + std::string(8192, '\xFF'), false,
         GCapabilities::kMaxBits},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GCapabilities caps(5, 8, 2);
        BytesIn in(c.bytes);
        caps.RestoreGuts(in.stream);
        EXPECT_EQ(in.stream.fail(), c.failed);
        EXPECT_EQ(caps.GetLength(), c.length);
        EXPECT_EQ(caps.CountSet(), c.length == 8 ? 1u : c.length);
    }
}

TEST(GCapabilitiesTest, FileRestoreRefusesAHugeLength) {
    TempFolder dir;
    const std::string path = dir.Path("huge.bin");
    WriteFileBytes(path, Head() + U32(0xFFFFFFFF) + U8(0xFF));
    RWBinaryFile file(path.c_str(), "rb");
    GCapabilities caps(5, 8, 2);
    caps.RestoreGuts(file);
    EXPECT_FALSE(GRestoreGood(file));
    EXPECT_EQ(caps.GetLength(), 8u);
    EXPECT_EQ(caps.TestBit(2), 1);
}

TEST(GCapabilitiesTest, CopiesCompareEqualAndGraphsRestoreThroughTheFactory) {
    const uint32_t list[] = {0, 7, 12};
    GCapabilities caps(42, 16, list, 3);
    GCapabilities copy(caps);
    EXPECT_TRUE(copy.IsEqualId(&caps));
    copy.ClearBit(7);
    EXPECT_FALSE(copy.IsEqualId(&caps));
    copy = caps;
    EXPECT_TRUE(copy.IsEqualId(&caps));
    GCapabilities otherId(43, 16, list, 3);
    EXPECT_FALSE(otherId.IsEqualId(&caps));
    GCapabilities longer(42, 17, list, 3);
    EXPECT_FALSE(longer.IsEqualId(&caps));

    EXPECT_TRUE(caps.IsKindOf(1003));
    EXPECT_TRUE(caps.IsKindOf(751));
    for (Encoding encoding : {Encoding::RawBinary, Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(caps, encoding);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->IsA(), 1003);
        EXPECT_TRUE(restored->IsEqualId(&caps));
    }
}
