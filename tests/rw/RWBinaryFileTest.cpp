#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "rw/RWBinaryFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {
using Bytes = std::vector<uint8_t>;

class RWBinaryFileTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return folder_.Path(name); }

    // The bytes on disk, read without the class under test.
    static Bytes OnDisk(const std::string& path) {
        const std::string bytes = qvtest::ReadFileBytes(path);
        return Bytes(bytes.begin(), bytes.end());
    }
    static void Put(const std::string& path, const Bytes& bytes) {
        ASSERT_TRUE(qvtest::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));
    }

    qvtest::TempFolder folder_{"rwbinaryfile"};
};
} // namespace

TEST_F(RWBinaryFileTest, OpenWithoutModeCreatesOrKeeps) {
    const std::string path = Path("store.dat");
    EXPECT_FALSE(RWBinaryFile::Exists(path.c_str()));
    {
        RWBinaryFile file(path.c_str());
        ASSERT_TRUE(file.IsValid());
        EXPECT_STREQ(file.GetMode(), "wb+");
        EXPECT_STREQ(file.GetName(), path.c_str());
        EXPECT_TRUE(file.Exists());
        EXPECT_TRUE(file.IsEmpty());
        EXPECT_TRUE(file.Write(static_cast<uint32_t>(0x11223344)));
        EXPECT_FALSE(file.IsEmpty()); // still buffered, yet part of the file
    }
    EXPECT_EQ(OnDisk(path), (Bytes{0x44, 0x33, 0x22, 0x11}));
    {
        RWBinaryFile file(path.c_str());
        ASSERT_TRUE(file.IsValid());
        EXPECT_STREQ(file.GetMode(), "rb+");
        EXPECT_FALSE(file.IsEmpty());
        uint32_t value = 0;
        EXPECT_TRUE(file.Read(value));
        EXPECT_EQ(value, 0x11223344u);
    }
    EXPECT_EQ(OnDisk(path), (Bytes{0x44, 0x33, 0x22, 0x11}));

    EXPECT_TRUE(RWBinaryFile::Exists(path.c_str(), 6));
    EXPECT_TRUE(RWBinaryFile::Exists(path.c_str(), 4));
    EXPECT_FALSE(RWBinaryFile::Exists(Path("other.dat").c_str()));
    EXPECT_FALSE(RWBinaryFile::Exists(nullptr));
}

TEST_F(RWBinaryFileTest, FailedOpenKeepsNameAndModeAndFailsEveryTransfer) {
    const std::string missing = Path("missing.dat");
    RWBinaryFile readOnly(missing.c_str(), "rb");
    EXPECT_FALSE(readOnly.IsValid());
    EXPECT_STREQ(readOnly.GetMode(), "rb");
    EXPECT_STREQ(readOnly.GetName(), missing.c_str());

    const std::string noFolder = Path("no/such/folder.dat");
    RWBinaryFile file(noFolder.c_str());
    EXPECT_FALSE(file.IsValid());
    EXPECT_STREQ(file.GetMode(), "wb+");
    int32_t value = 0;
    EXPECT_FALSE(file.Read(value));
    EXPECT_FALSE(file.Write(value));
    EXPECT_FALSE(file.Write("x"));
    EXPECT_FALSE(file.SeekTo(0));
    EXPECT_FALSE(file.SeekToEnd());
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(file.CurOffset(), -1);
    EXPECT_TRUE(file.Error()); // loops that stop on the flags stop
    EXPECT_FALSE(file.Eof());
    EXPECT_FALSE(file.IsEmpty());
    EXPECT_FALSE(RWBinaryFile::Exists(missing.c_str()));
}

TEST_F(RWBinaryFileTest, ItemsAreLittleEndianFieldByField) {
    const std::string path = Path("items.dat");
    RWBinaryFile file(path.c_str());
    ASSERT_TRUE(file.IsValid());
    EXPECT_TRUE(file.Write('A'));
    EXPECT_TRUE(file.Write(static_cast<signed char>(-3)));
    EXPECT_TRUE(file.Write(static_cast<unsigned char>(0xFE)));
    EXPECT_TRUE(file.Write(static_cast<int16_t>(-2)));
    EXPECT_TRUE(file.Write(static_cast<uint16_t>(0x8003)));
    EXPECT_TRUE(file.Write(static_cast<int32_t>(0x8888)));
    EXPECT_TRUE(file.Write(static_cast<int32_t>(-2)));
    EXPECT_TRUE(file.Write(static_cast<uint32_t>(0x01020304)));
    EXPECT_TRUE(file.Write(1.0f));
    EXPECT_TRUE(file.Write(-2.5));
    EXPECT_TRUE(file.Write("hi"));
    EXPECT_TRUE(file.Write(""));
    EXPECT_EQ(file.CurOffset(), 35);
    ASSERT_TRUE(file.Flush());

    const Bytes expected = {
        0x41,                                           // 'A'
        0xFD,                                           // -3
        0xFE,                                           // 0xFE
        0xFE, 0xFF,                                     // short -2
        0x03, 0x80,                                     // class id 0x8003
        0x88, 0x88, 0x00, 0x00,                         // long 0x8888: four bytes
        0xFE, 0xFF, 0xFF, 0xFF,                         // -2
        0x04, 0x03, 0x02, 0x01,                         // 0x01020304
        0x00, 0x00, 0x80, 0x3F,                         // 1.0f = 0x3F800000
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0, // -2.5 = 0xC004000000000000
        0x68, 0x69, 0x00,                               // "hi" and its NUL
        0x00,                                           // "" is its NUL alone
    };
    EXPECT_EQ(OnDisk(path), expected);

    ASSERT_TRUE(file.SeekTo(0));
    char c = 0;
    signed char sc = 0;
    unsigned char uc = 0;
    int16_t s = 0;
    uint16_t us = 0;
    int32_t magic = 0, negative = 0;
    uint32_t u = 0;
    float f = 0;
    double d = 0;
    char text[4] = {};
    EXPECT_TRUE(file.Read(c));
    EXPECT_TRUE(file.Read(sc));
    EXPECT_TRUE(file.Read(uc));
    EXPECT_TRUE(file.Read(s));
    EXPECT_TRUE(file.Read(us));
    EXPECT_TRUE(file.Read(magic));
    EXPECT_TRUE(file.Read(negative));
    EXPECT_TRUE(file.Read(u));
    EXPECT_TRUE(file.Read(f));
    EXPECT_TRUE(file.Read(d));
    EXPECT_TRUE(file.Read(text, 4));
    EXPECT_EQ(c, 'A');
    EXPECT_EQ(sc, -3);
    EXPECT_EQ(uc, 0xFE);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(us, 0x8003);
    EXPECT_EQ(magic, 0x8888);
    EXPECT_EQ(negative, -2);
    EXPECT_EQ(u, 0x01020304u);
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(d, -2.5);
    EXPECT_EQ(std::string(text, 4), std::string("hi\0\0", 4));
    EXPECT_FALSE(file.Read(c));
    EXPECT_TRUE(file.Eof());
}

TEST_F(RWBinaryFileTest, ArraysAreLittleEndianItemByItem) {
    const std::string path = Path("arrays.dat");
    RWBinaryFile file(path.c_str());
    ASSERT_TRUE(file.IsValid());
    const int16_t shorts[] = {1, -1, 0x1234};
    const uint32_t words[] = {0xDEADBEEF, 1};
    const double doubles[] = {0.5};
    const float floats[] = {-1.0f};
    const char chars[] = {'a', 'b', 'c'};
    const unsigned char uchars[] = {0x00, 0xFF};
    EXPECT_TRUE(file.Write(shorts, 3));
    EXPECT_TRUE(file.Write(words, 2));
    EXPECT_TRUE(file.Write(doubles, 1));
    EXPECT_TRUE(file.Write(floats, 1));
    EXPECT_TRUE(file.Write(chars, 3));
    EXPECT_TRUE(file.Write(uchars, 2));
    EXPECT_TRUE(file.Write(words, 0)); // nothing to write is no failure
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(OnDisk(path), (Bytes{
                                0x01, 0x00, 0xFF, 0xFF, 0x34, 0x12,             // shorts
                                0xEF, 0xBE, 0xAD, 0xDE, 0x01, 0x00, 0x00, 0x00, // words
                                0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0, 0x3F, // 0.5
                                0x00, 0x00, 0x80, 0xBF,                         // -1.0f
                                0x61, 0x62, 0x63, 0x00, 0xFF,                   // chars, uchars
                            }));

    ASSERT_TRUE(file.SeekTo(0));
    int16_t shortsBack[3] = {};
    uint32_t wordsBack[2] = {};
    double doublesBack[1] = {};
    float floatsBack[1] = {};
    EXPECT_TRUE(file.Read(shortsBack, 3));
    EXPECT_TRUE(file.Read(wordsBack, 2));
    EXPECT_TRUE(file.Read(doublesBack, 1));
    EXPECT_TRUE(file.Read(floatsBack, 1));
    EXPECT_EQ(std::vector<int16_t>(shortsBack, shortsBack + 3), std::vector<int16_t>(shorts, shorts + 3));
    EXPECT_EQ(wordsBack[0], 0xDEADBEEFu);
    EXPECT_EQ(wordsBack[1], 1u);
    EXPECT_EQ(doublesBack[0], 0.5);
    EXPECT_EQ(floatsBack[0], -1.0f);
}

TEST_F(RWBinaryFileTest, LongArraysCrossBufferBoundaries) {
    const std::string path = Path("long.dat");
    std::vector<uint32_t> values(3000);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<uint32_t>(i * 2654435761u);
    {
        RWBinaryFile file(path.c_str());
        ASSERT_TRUE(file.Write(values.data(), values.size()));
    }
    const Bytes disk = OnDisk(path);
    ASSERT_EQ(disk.size(), 4 * values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        for (size_t k = 0; k < 4; ++k)
            ASSERT_EQ(disk[4 * i + k], (values[i] >> (8 * k)) & 0xFF) << i;
    }

    RWBinaryFile file(path.c_str());
    std::vector<uint32_t> back(values.size());
    EXPECT_TRUE(file.Read(back.data(), back.size()));
    EXPECT_EQ(back, values);

    // One item more than the file holds: a short read, the items before it delivered.
    ASSERT_TRUE(file.SeekTo(4));
    std::vector<uint32_t> tooMany(values.size(), 0);
    EXPECT_FALSE(file.Read(tooMany.data(), tooMany.size()));
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(tooMany[values.size() - 2], values[values.size() - 1]);
}

TEST_F(RWBinaryFileTest, ShortReadsFailAndSetEndOfFile) {
    const std::string path = Path("short.dat");
    Put(path, Bytes{1, 2, 3, 4, 5, 6});
    RWBinaryFile file(path.c_str());
    ASSERT_TRUE(file.IsValid());
    ASSERT_TRUE(file.SeekTo(4));
    EXPECT_EQ(file.CurOffset(), 4);
    uint32_t value = 0;
    EXPECT_FALSE(file.Read(value)); // 4-byte item, 2 bytes before the end
    EXPECT_TRUE(file.Eof());
    EXPECT_FALSE(file.Error());
    file.ClearErr();
    EXPECT_FALSE(file.Eof());

    ASSERT_TRUE(file.SeekTo(0));
    int32_t pair[2] = {};
    EXPECT_FALSE(file.Read(pair, 2));
    EXPECT_EQ(pair[0], 0x04030201);

    ASSERT_TRUE(file.SeekToEnd());
    EXPECT_EQ(file.CurOffset(), 6);
    EXPECT_FALSE(file.SeekTo(-1));
    EXPECT_EQ(file.CurOffset(), 6);
}

TEST_F(RWBinaryFileTest, EraseLeavesAnEmptyFileOpenForUpdate) {
    const std::string path = Path("erase.dat");
    Put(path, Bytes{9, 9, 9, 9, 9});
    RWBinaryFile file(path.c_str());
    ASSERT_STREQ(file.GetMode(), "rb+");
    ASSERT_TRUE(file.SeekToEnd());

    EXPECT_TRUE(file.Erase());
    ASSERT_TRUE(file.IsValid());
    EXPECT_TRUE(file.IsEmpty());
    EXPECT_EQ(file.CurOffset(), 0);
    EXPECT_TRUE(OnDisk(path).empty());

    EXPECT_TRUE(file.Write(static_cast<uint16_t>(0x0102)));
    ASSERT_TRUE(file.SeekTo(0));
    uint16_t back = 0;
    EXPECT_TRUE(file.Read(back));
    EXPECT_EQ(back, 0x0102);
    ASSERT_TRUE(file.Flush());
    EXPECT_EQ(OnDisk(path), (Bytes{0x02, 0x01}));

    // Removed behind its back: removing fails, and so does Erase.
    std::filesystem::remove(path);
    EXPECT_FALSE(file.Erase());
    EXPECT_FALSE(file.IsValid());
}

// What each C runtime mode lets through, on a file holding "xyz": one
// character written at the start, then one read from the start.
TEST_F(RWBinaryFileTest, ModesGiveTheirAccess) {
    struct Case {
        const char* mode;
        bool writes;
        bool reads;
        char read; // 0 when it cannot read
        const char* after;
    };
    const Case cases[] = {
        {"rb", false, true, 'x', "xyz"}, {"rb+", true, true, 'Q', "Qyz"}, {"wb", true, false, 0, "Q"},
        {"wb+", true, true, 'Q', "Q"},   {"ab", true, false, 0, "xyzQ"},  {"ab+", true, true, 'x', "xyzQ"},
    };
    for (const Case& c : cases) {
        const std::string path = Path("modes.dat");
        Put(path, Bytes{'x', 'y', 'z'});
        {
            RWBinaryFile file(path.c_str(), c.mode);
            ASSERT_TRUE(file.IsValid()) << c.mode;
            EXPECT_EQ(file.Write('Q') && file.Flush(), c.writes) << c.mode;
            EXPECT_EQ(file.Error(), !c.writes) << c.mode;
            file.ClearErr();
            ASSERT_TRUE(file.SeekTo(0));
            char back = 0;
            EXPECT_EQ(file.Read(back), c.reads) << c.mode;
            EXPECT_EQ(back, c.read) << c.mode; // untouched when nothing was read
        }
        const std::string after = c.after;
        EXPECT_EQ(OnDisk(path), Bytes(after.begin(), after.end())) << c.mode;
    }
}

// A block read or written at an offset sees, and is seen by, the items read
// and written one by one: output still buffered, bytes already read ahead.
TEST_F(RWBinaryFileTest, BlocksAtOffsetsAndItemsSeeEachOther) {
    const std::string path = Path("blocks.dat");
    RWBinaryFile file(path.c_str());
    ASSERT_TRUE(file.Write(static_cast<uint32_t>(0x44332211)));
    unsigned char block[4] = {};
    ASSERT_TRUE(file.ReadAt(0, block, 4)); // the item was still buffered
    EXPECT_EQ(Bytes(block, block + 4), (Bytes{0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(file.CurOffset(), 4);

    // Right behind buffered output, and then elsewhere.
    ASSERT_TRUE(file.Write(static_cast<uint16_t>(0x6655)));
    const unsigned char next[2] = {0x77, 0x88};
    ASSERT_TRUE(file.WriteAt(6, next, 2));
    EXPECT_EQ(file.CurOffset(), 8);
    const unsigned char far[2] = {0xAA, 0xBB};
    ASSERT_TRUE(file.WriteAt(10, far, 2));
    EXPECT_EQ(OnDisk(path), (Bytes{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x00, 0x00, 0xAA, 0xBB}));

    // Read ahead from 0, overwritten at an offset, read again.
    ASSERT_TRUE(file.SeekTo(0));
    uint16_t first = 0;
    ASSERT_TRUE(file.Read(first));
    const unsigned char over[2] = {0xC1, 0xC2};
    ASSERT_TRUE(file.WriteAt(2, over, 2));
    ASSERT_TRUE(file.SeekTo(2));
    uint16_t second = 0;
    ASSERT_TRUE(file.Read(second));
    EXPECT_EQ(second, 0xC2C1);

    // Beyond the end: a short read that sets end of file, as an item read would.
    EXPECT_FALSE(file.ReadAt(10, block, 4));
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.CurOffset(), 12);
    EXPECT_FALSE(file.ReadAt(-1, block, 1));
    EXPECT_TRUE(file.ReadAt(8, block, 2));
    EXPECT_FALSE(file.Eof());
}
