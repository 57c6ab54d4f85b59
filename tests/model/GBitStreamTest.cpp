#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/GBitStream.h"
#include "model/GPersistMemoryStreamBuf.h"

TEST(GBitStreamTest, PacksMostSignificantBitFirstAndPadsTheLastByteWithZeros) {
    std::ostringstream out;
    GBitStream bits;
    bits.OpenOutput(out);
    EXPECT_EQ(bits.PutBits(0b101, 3), 1);
    EXPECT_EQ(bits.PutBit(1), 1);
    EXPECT_EQ(bits.PutBits(0x1FF, 9), 1);
    EXPECT_EQ(bits.Close(), 1);
    // 101 1 111111111 + 000 -> 1011 1111 | 1111 1000
    EXPECT_EQ(out.str(), std::string("\xBF\xF8", 2));
}

TEST(GBitStreamTest, ReadsBackAndKeepsThePartialCodeAtTheEndOfInput) {
    std::istringstream in(std::string("\xBF\xF8", 2));
    GBitStream bits;
    bits.OpenInput(in);
    uint32_t code = 0;
    EXPECT_EQ(bits.GetBits(code, 4), 1);
    EXPECT_EQ(code, 0xBu);
    EXPECT_EQ(bits.GetBits(code, 9), 1);
    EXPECT_EQ(code, 0x1FFu);
    // Three bits are left; the fourth is missing.
    EXPECT_EQ(bits.GetBits(code, 4), 0);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(bits.Good());

    std::istringstream one(std::string("\xAB", 1));
    GBitStream short_;
    short_.OpenInput(one);
    EXPECT_EQ(short_.GetBits(code, 12), 0);
    EXPECT_EQ(code, 0xAB0u); // the eight bits read, then zeros
}

TEST(GBitStreamTest, AFailedWriteClearsTheGoodFlagForGood) {
    char block[1] = {0};
    GPersistMemoryStreamBuf buffer(block, sizeof block, std::ios_base::out);
    std::ostream out(&buffer);
    GBitStream bits;
    bits.OpenOutput(out);
    EXPECT_EQ(bits.PutBits(0xA5, 8), 1);
    EXPECT_EQ(bits.PutBits(0xFF, 8), 0); // no room for the second byte
    EXPECT_EQ(bits.PutBit(1), 0);
    EXPECT_EQ(static_cast<uint8_t>(block[0]), 0xA5);

    char tiny[1] = {0};
    GPersistMemoryStreamBuf tinyBuffer(tiny, sizeof tiny, std::ios_base::out);
    std::ostream tinyOut(&tinyBuffer);
    GBitStream pending;
    pending.OpenOutput(tinyOut);
    EXPECT_EQ(pending.PutBits(0xFF, 8), 1);
    EXPECT_EQ(pending.PutBit(1), 1);
    EXPECT_EQ(pending.Close(), 0); // the pending bit has nowhere to go
}
