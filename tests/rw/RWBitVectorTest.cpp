#include <gtest/gtest.h>

#include <vector>

#include "rw/RWBitVector.h"
#include "rw/RWDefs.h"
#include "rw/RWLibraryError.h"

namespace {
std::vector<uint8_t> Bytes(const RWBitVector& v) {
    return {v.Data(), v.Data() + v.NumBytes()};
}
} // namespace

TEST(RWBitVectorTest, BitIOrderIsLeastSignificantFirst) {
    RWBitVector v(12);
    EXPECT_EQ(Bytes(v), (std::vector<uint8_t>{0x00, 0x00}));
    v.SetBit(0);
    v.SetBit(9);
    v.SetBit(11);
    EXPECT_EQ(Bytes(v), (std::vector<uint8_t>{0x01, 0x0A}));
    v.ClearBit(9);
    v.SetBit(4, true);
    EXPECT_EQ(Bytes(v), (std::vector<uint8_t>{0x11, 0x08}));

    const uint8_t raw[] = {0xA5, 0x03};
    RWBitVector fromBytes(raw, 10);
    const bool expected[] = {1, 0, 1, 0, 0, 1, 0, 1, 1, 1};
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(fromBytes.TestBit(i), expected[i]) << "bit " << i;
    EXPECT_EQ(fromBytes.CountSet(), 6u);

    RWBitVector ones(9, true);
    EXPECT_EQ(Bytes(ones), (std::vector<uint8_t>{0xFF, 0xFF}));
    EXPECT_EQ(ones.CountSet(), 9u); // the 7 unused bits are not counted

    RWBitVector none;
    EXPECT_EQ(none.Data(), nullptr);
    EXPECT_EQ(none.CountSet(), 0u);
    EXPECT_TRUE(none.IsAll(true));
    EXPECT_EQ(none.Hash(), 0u);
}

TEST(RWBitVectorTest, UnusedBitsAreMaskedOut) {
    // Two 9-bit vectors that differ only above bit 8.
    const uint8_t clean[] = {0x5A, 0x01};
    const uint8_t dirty[] = {0x5A, 0xFF};
    RWBitVector a(clean, 9), b(dirty, 9);
    EXPECT_TRUE(a == b);
    EXPECT_EQ(a.Hash(), b.Hash());
    EXPECT_EQ(a.CountSet(), b.CountSet());
    EXPECT_FALSE(a == RWBitVector(clean, 10)); // different lengths

    const uint8_t allSet[] = {0xFF, 0x01};
    const uint8_t lastClear[] = {0xFF, 0xFE};
    EXPECT_TRUE(RWBitVector(allSet, 9).IsAll(true));
    EXPECT_FALSE(RWBitVector(lastClear, 9).IsAll(true));
    EXPECT_FALSE(RWBitVector(lastClear, 9).IsAll(false));
    const uint8_t zeroWithJunk[] = {0x00, 0xFE};
    EXPECT_TRUE(RWBitVector(zeroWithJunk, 9).IsAll(false));

    RWBitVector v(9, false);
    v.SetAll(true);
    EXPECT_TRUE(v.IsAll(true));
    v.ClearBit(8);
    EXPECT_FALSE(v.IsAll(true));
}

TEST(RWBitVectorTest, HashFoldsWholeBytesThenTheMaskedTail) {
    // h = 12; h = 0x01 ^ rotr(12, 27) = 0x181; h = (0x0A & 0x0F) ^ rotr(0x181, 27) = 0x302A.
    const uint8_t clean[] = {0x01, 0x0A};
    const uint8_t dirty[] = {0x01, 0xFA};
    EXPECT_EQ(RWBitVector(clean, 12).Hash(), 0x302Au);
    EXPECT_EQ(RWBitVector(dirty, 12).Hash(), 0x302Au);
    // 16 bits: h = 0x01 ^ rotr(16, 27) = 0x201; h = 0x0A ^ rotr(0x201, 27) = 0x402A.
    EXPECT_EQ(RWBitVector(clean, 16).Hash(), 0x402Au);
}

TEST(RWBitVectorTest, ResizeClearsBitsThatComeIntoRange) {
    const uint8_t raw[] = {0x00, 0xFF}; // bits 8, 9 set; 10..15 junk
    RWBitVector v(raw, 10);
    v.Resize(20);
    ASSERT_EQ(v.Length(), 20u);
    ASSERT_EQ(v.NumBytes(), 3u);
    EXPECT_EQ(Bytes(v), (std::vector<uint8_t>{0x00, 0x03, 0x00}));
    EXPECT_EQ(v.CountSet(), 2u);

    // Growing inside the same last byte clears too: a complement sets the
    // unused bits, which must not show up as new set bits.
    RWBitVector w = ~RWBitVector(10);
    EXPECT_EQ(w.CountSet(), 10u);
    w.Resize(12);
    EXPECT_EQ(w.NumBytes(), 2u);
    EXPECT_FALSE(w.TestBit(10));
    EXPECT_FALSE(w.TestBit(11));
    EXPECT_EQ(w.CountSet(), 10u);

    w.Resize(3);
    EXPECT_EQ(w.NumBytes(), 1u);
    EXPECT_EQ(w.CountSet(), 3u);
    w.Resize(0);
    EXPECT_EQ(w.Data(), nullptr);
    w.Resize(9);
    EXPECT_TRUE(w.IsAll(false));
}

TEST(RWBitVectorTest, LogicalOperationsCombineBytes) {
    const uint8_t rawA[] = {0x0F, 0x02};
    const uint8_t rawB[] = {0x3C, 0x03};
    const RWBitVector a(rawA, 10), b(rawB, 10);

    EXPECT_EQ(Bytes(a & b), (std::vector<uint8_t>{0x0C, 0x02}));
    EXPECT_EQ(Bytes(a | b), (std::vector<uint8_t>{0x3F, 0x03}));
    EXPECT_EQ(Bytes(a ^ b), (std::vector<uint8_t>{0x33, 0x01}));
    EXPECT_EQ(Bytes(~a), (std::vector<uint8_t>{0xF0, 0xFD}));
    EXPECT_EQ((~a).CountSet(), 5u);
    EXPECT_EQ(Bytes(a), (std::vector<uint8_t>{0x0F, 0x02})); // operands untouched

    RWBitVector c(a);
    c ^= b;
    c ^= b;
    EXPECT_TRUE(c == a);
    EXPECT_NE(c.Data(), a.Data());
}

TEST(RWBitVectorTest, UnequalLengthsRaiseNevecl) {
    const RWBitVector ten(10), nine(9);
    const char* expected = "[NEVECL] Unequal vector lengths: 10 versus 9";
    auto check = [&](auto operation) {
        try {
            operation();
            ADD_FAILURE() << "no error";
        } catch (const RWInternalError& e) {
            EXPECT_STREQ(e.why(), expected);
        }
    };
    check([&] { (void)(ten & nine); });
    check([&] { (void)(ten | nine); });
    check([&] { (void)(ten ^ nine); });
    check([&] {
        RWBitVector v(ten);
        v &= nine;
    });
}

TEST(RWBitVectorTest, BoundsErrorsCarryTheCatalogueText) {
    RWBitVector v(12);
    struct {
        size_t index;
        const char* text;
    } const cases[] = {
        {12, "[INDEXERR] Illegal Index (12) for collection or string with 12 elements"},
        {RW_NPOS, "[NPOSINDEX] The value RW_NPOS cannot be used as an index."},
        {0xFFFFFFFFu, "[NPOSINDEX] The value RW_NPOS cannot be used as an index."},
    };
    for (const auto& test : cases) {
        try {
            (void)v.TestBit(test.index);
            ADD_FAILURE() << "no error for " << test.index;
        } catch (const RWBoundsError& e) {
            EXPECT_STREQ(e.why(), test.text);
        }
        EXPECT_THROW(v.SetBit(test.index), RWBoundsError);
        EXPECT_THROW(v.ClearBit(test.index), RWBoundsError);
    }
    EXPECT_EQ(v.CountSet(), 0u);
}
