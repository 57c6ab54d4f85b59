#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/support/Hex.h"

namespace {

TEST(HexTest, WritesUpperCaseBytesOneSpaceApart) {
    EXPECT_EQ(qvtest::ToHex(std::string("\x00\x0a\xff\x7f", 4)), "00 0A FF 7F");
    EXPECT_EQ(qvtest::ToHex(""), "");
}

TEST(HexTest, ReadsBytesWithOrWithoutSpaces) {
    EXPECT_EQ(qvtest::FromHex("00 0a FF\n7f"), std::string("\x00\x0a\xff\x7f", 4));
    EXPECT_EQ(qvtest::FromHex("01020304"), std::string("\x01\x02\x03\x04", 4));
    EXPECT_EQ(qvtest::FromHex("  "), "");
}

TEST(HexTest, RefusesWhatIsNotHexBytes) {
    for (const char* slip : {"0", "0A 1", "0G", "0A,0B", "0x0A", "0 A"}) {
        SCOPED_TRACE(slip);
        EXPECT_THROW(qvtest::FromHex(slip), std::invalid_argument);
    }
}

} // namespace
