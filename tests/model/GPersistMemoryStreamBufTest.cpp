#include <gtest/gtest.h>

#include <istream>
#include <ostream>

#include "model/GPersistMemoryStreamBuf.h"

TEST(GPersistMemoryStreamBufTest, OutputKeepsWhatFitsAndReportsTheRest) {
    char block[10];
    GPersistMemoryStreamBuf buffer(block, sizeof block, std::ios_base::out);
    std::ostream out(&buffer);
    EXPECT_EQ(buffer.sputn("abcdefghijkl", 12), 10);
    EXPECT_EQ(std::string(block, 10), "abcdefghij");
    EXPECT_EQ(out.tellp(), 10);
    out.put('x');
    EXPECT_TRUE(out.bad());

    // The end is what was written; seeks go anywhere inside the block.
    out.clear();
    EXPECT_EQ(out.seekp(0, std::ios_base::end).tellp(), 10);
    EXPECT_EQ(out.seekp(3).tellp(), 3);
    out.put('Z');
    EXPECT_EQ(std::string(block, 5), "abcZe");
    EXPECT_EQ(out.seekp(0, std::ios_base::end).tellp(), 10);
    EXPECT_TRUE(out.seekp(11).fail());
}

TEST(GPersistMemoryStreamBufTest, AFreshSinkIsEmptyButHasRoomToItsCapacity) {
    char block[8];
    GPersistMemoryStreamBuf buffer(block, sizeof block, std::ios_base::out);
    EXPECT_EQ(buffer.pubseekoff(0, std::ios_base::end, std::ios_base::out), std::streampos(0));
    EXPECT_EQ(buffer.pubseekpos(8, std::ios_base::out), std::streampos(8));
    EXPECT_EQ(buffer.pubseekpos(9, std::ios_base::out), std::streampos(-1));
    EXPECT_EQ(buffer.pubseekpos(2, std::ios_base::out), std::streampos(2));
    EXPECT_EQ(buffer.sputn("xy", 2), 2);
    EXPECT_EQ(buffer.pubseekoff(0, std::ios_base::end, std::ios_base::out), std::streampos(4));
}

TEST(GPersistMemoryStreamBufTest, InputReadsTheBlockInPlace) {
    char block[] = {'h', 'e', 'l', 'l', 'o'};
    GPersistMemoryStreamBuf buffer(block, sizeof block, std::ios_base::in);
    std::istream in(&buffer);
    EXPECT_EQ(in.seekg(0, std::ios_base::end).tellg(), 5);
    EXPECT_EQ(in.seekg(-2, std::ios_base::end).get(), 'l');
    EXPECT_EQ(in.tellg(), 4);
    EXPECT_EQ(buffer.pubseekpos(0, std::ios_base::out), std::streampos(-1)); // no put area
    EXPECT_TRUE(in.seekg(-6, std::ios_base::end).fail());
    in.clear();
    in.seekg(4);
    EXPECT_EQ(in.get(), 'o');
    EXPECT_EQ(in.get(), std::char_traits<char>::eof());
}
