#include <gtest/gtest.h>

#include <sys/stat.h>

#include <iterator>
#include <string>

#include "model/GPersistInputStream.h"
#include "model/GPersistOutputStream.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

// A file name as the wide name the streams take (ASCII paths only).
std::u16string WideName(const std::string& path) {
    return std::u16string(path.begin(), path.end());
}

} // namespace

TEST(GPersistOutputStreamTest, EachSelectorWritesItsEncodingIntoTheBlock) {
    struct Case {
        int32_t selector;
        std::string bytes;   // what the value 0x01020304 becomes
        std::streamoff read; // where reading it back stops
    };
    const Case cases[] = {
        {0, "16909060\n", 8},                                                    // decimal text line
        {1, Bytes({0x04, 0x03, 0x02, 0x01}), 4},                                 // host image
        {2, Bytes({'e', 's', 1, 0, 2, 4, 4, 2, 4, 0x04, 0x03, 0x02, 0x01}), 13}, // header, then little-endian
    };
    for (const Case& c : cases) {
        char block[32] = {};
        GPersistOutputStream out(block, sizeof block, c.selector);
        ASSERT_NE(out.GetStream(), nullptr);
        *out.GetStream() << 0x01020304;
        out.GetStream()->flush();
        EXPECT_TRUE(out.GetStream()->good());
        EXPECT_EQ(out.Tell(), std::streamoff(c.bytes.size())) << c.selector;
        EXPECT_EQ(std::string(block, c.bytes.size()), c.bytes) << c.selector;

        GPersistInputStream in(block, c.bytes.size(), c.selector);
        ASSERT_NE(in.GetStream(), nullptr);
        int value = 0;
        *in.GetStream() >> value;
        EXPECT_EQ(value, 0x01020304) << c.selector;
        EXPECT_EQ(in.Tell(), c.read) << c.selector;
    }
}

TEST(GPersistOutputStreamTest, AFullBlockKeepsWhatFitsAndReportsFailure) {
    char block[12];
    std::fill(std::begin(block), std::end(block), '#');
    GPersistOutputStream out(block, 10, 1);
    const unsigned char twelve[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    out.GetStream()->put(twelve, 12);
    EXPECT_TRUE(out.GetStream()->fail());
    EXPECT_EQ(out.Tell(), 10);
    EXPECT_EQ(std::string(block, 12), Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, '#', '#'}));
}

TEST(GPersistOutputStreamTest, UnknownSelectorsGiveNoStream) {
    char block[4] = {};
    for (int32_t selector : {3, -1, 100}) {
        GPersistOutputStream out(block, sizeof block, selector);
        EXPECT_EQ(out.GetStream(), nullptr);
        GPersistInputStream in(block, sizeof block, selector);
        EXPECT_EQ(in.GetStream(), nullptr);
    }
}

TEST(GPersistOutputStreamTest, SeekMovesTheWritePositionInsideTheBlock) {
    char block[8] = {};
    GPersistOutputStream out(block, sizeof block, 1);
    out.Seek(4);
    EXPECT_EQ(out.Tell(), 4);
    out.GetStream()->put(static_cast<unsigned char>(0x7F));
    EXPECT_EQ(block[4], 0x7F);
    out.Seek(9); // past the capacity
    EXPECT_TRUE(out.ByteSink().fail());
}

TEST(GPersistOutputStreamTest, FilesRoundTripAndAreCreatedWithoutExtraPermissions) {
    const qvtest::TempFolder folder("qvpersist");
    const std::string path = folder.Path("settings.bin");
    const std::u16string name = WideName(path);
    {
        GPersistOutputStream out(name.c_str(), 2);
        ASSERT_NE(out.GetStream(), nullptr);
        out.GetStream()->putString("abc", 3);
        EXPECT_TRUE(out.GetStream()->good());
        EXPECT_EQ(out.Tell(), 9 + 4 + 3);
    }
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777 & ~0644, 0u);
    EXPECT_EQ(info.st_size, 16);

    GPersistInputStream in(name.c_str(), 2);
    char text[8] = {};
    in.GetStream()->getString(text, sizeof text);
    EXPECT_STREQ(text, "abc");
    EXPECT_TRUE(in.GetStream()->good());

    // Writing again truncates.
    {
        GPersistOutputStream out(name.c_str(), 1);
        *out.GetStream() << 'x';
    }
    EXPECT_EQ(qvtest::ReadFileBytes(path), "x");
}

TEST(GPersistOutputStreamTest, AFileThatCannotBeOpenedFailsOnFirstUse) {
    const qvtest::TempFolder folder("qvpersist");
    const std::u16string missing = WideName(folder.Path("missing/settings.bin"));
    GPersistOutputStream out(missing.c_str(), 1);
    ASSERT_NE(out.GetStream(), nullptr);
    EXPECT_TRUE(out.ByteSink().fail());
    *out.GetStream() << 5;
    EXPECT_TRUE(out.GetStream()->fail());

    GPersistInputStream in(missing.c_str(), 1);
    ASSERT_NE(in.GetStream(), nullptr);
    int value = 0;
    *in.GetStream() >> value;
    EXPECT_TRUE(in.GetStream()->fail());
}
