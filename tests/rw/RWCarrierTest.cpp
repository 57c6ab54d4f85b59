#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWCarrier.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"

namespace {

// One record of every word and string primitive, written and read by one
// body per direction, as a persistent class does.
struct Record {
    uint32_t u32 = 0;
    int32_t i32 = 0;
    uint16_t u16 = 0;
    int16_t i16 = 0;
    uint8_t u8 = 0;
    int8_t i8 = 0;
    char c = 0;
    RWCString narrow;
    RWWString wide;

    template <class Carrier> void Save(Carrier& carrier) const {
        RWSaveU32(carrier, u32);
        RWSaveI32(carrier, i32);
        RWSaveU16(carrier, u16);
        RWSaveI16(carrier, i16);
        RWSaveU8(carrier, u8);
        RWSaveI8(carrier, i8);
        RWSaveChar(carrier, c);
        RWSaveString(carrier, narrow);
        RWSaveString(carrier, wide);
    }
    template <class Carrier> bool Restore(Carrier& carrier) {
        return RWRestoreU32(carrier, u32) && RWRestoreI32(carrier, i32) && RWRestoreU16(carrier, u16) &&
               RWRestoreI16(carrier, i16) && RWRestoreU8(carrier, u8) && RWRestoreI8(carrier, i8) &&
               RWRestoreChar(carrier, c) && RWRestoreString(carrier, narrow) &&
               RWRestoreString(carrier, wide);
    }
};

Record Sample() {
    Record r;
    r.u32 = 0xA1B2C3D4;
    r.i32 = -2;
    r.u16 = 0xBEEF;
    r.i16 = -3;
    r.u8 = 200;
    r.i8 = -56;
    r.c = 'Z';
    r.narrow = "hi";
    r.wide = RWWString(u"\u00e9");
    return r;
}

void ExpectSame(const Record& a, const Record& b) {
    EXPECT_EQ(a.u32, b.u32);
    EXPECT_EQ(a.i32, b.i32);
    EXPECT_EQ(a.u16, b.u16);
    EXPECT_EQ(a.i16, b.i16);
    EXPECT_EQ(a.u8, b.u8);
    EXPECT_EQ(a.i8, b.i8);
    EXPECT_EQ(a.c, b.c);
    EXPECT_TRUE(a.narrow == b.narrow);
    EXPECT_TRUE(a.wide == b.wide);
}

// The sample's record, worked out from the carriers' layouts.
constexpr char kFileRecord[] = "\xD4\xC3\xB2\xA1"
                               "\xFE\xFF\xFF\xFF"
                               "\xEF\xBE"
                               "\xFD\xFF"
                               "\xC8"
                               "\xC8"
                               "Z"
                               "\x02\x00\x00\x00hi"
                               "\x01\x00\x00\x00\xE9\x00";
const std::string kFileBytes(kFileRecord, sizeof kFileRecord - 1);
// The raw stream's string output adds its own length word after the string's.
constexpr char kRawStreamRecord[] = "\xD4\xC3\xB2\xA1"
                                    "\xFE\xFF\xFF\xFF"
                                    "\xEF\xBE"
                                    "\xFD\xFF"
                                    "\xC8"
                                    "\xC8"
                                    "Z"
                                    "\x02\x00\x00\x00\x02\x00\x00\x00hi"
                                    "\x01\x00\x00\x00\xE9\x00";
const std::string kRawStreamBytes(kRawStreamRecord, sizeof kRawStreamRecord - 1);
const std::string kPortableText = "2712847316\n-2\n48879\n-3\n200\n-56\nZ2\n\"hi\"1\n233\n";

class RWCarrierTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "rwcarrier-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    static std::string OnDisk(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    std::filesystem::path dir_;
};

TEST_F(RWCarrierTest, OneBodyWritesEachCarriersBytesAndReadsThemBack) {
    const Record sample = Sample();
    {
        std::stringstream raw;
        RWBinaryOutStream out(raw);
        sample.Save(out);
        EXPECT_EQ(raw.str(), kRawStreamBytes);
        RWBinaryInStream in(raw);
        Record back;
        EXPECT_TRUE(back.Restore(in));
        ExpectSame(back, sample);
    }
    {
        std::stringstream text;
        RWPortableOutStream out(text);
        sample.Save(out);
        EXPECT_EQ(text.str(), kPortableText);
        RWPortableInStream in(text);
        Record back;
        EXPECT_TRUE(back.Restore(in));
        ExpectSame(back, sample);
    }
    {
        const std::string path = Path("record.bin");
        {
            RWBinaryFile file(path.c_str(), "wb");
            sample.Save(file);
        }
        EXPECT_EQ(OnDisk(path), kFileBytes);
        RWBinaryFile file(path.c_str(), "rb");
        Record back;
        EXPECT_TRUE(back.Restore(file));
        ExpectSame(back, sample);
        EXPECT_TRUE(RWRestoreGood(file));
    }
}

TEST_F(RWCarrierTest, AMarkedFileReadsNothingMoreAndStaysWhereItFailed) {
    const std::string path = Path("marked.bin");
    Put(path, kFileBytes);
    RWBinaryFile file(path.c_str(), "rb");
    uint32_t word = 7;
    ASSERT_TRUE(RWRestoreU32(file, word));
    RWMarkRestoreFailed(file);
    EXPECT_FALSE(RWRestoreGood(file));
    int32_t next = 7;
    RWCString text("kept");
    EXPECT_FALSE(RWRestoreI32(file, next));
    EXPECT_EQ(next, 7);
    EXPECT_FALSE(RWRestoreString(file, text));
    EXPECT_TRUE(text.IsNull()); // a string that cannot be restored is left empty
    // Nothing was read or sought to mark the failure.
    EXPECT_EQ(file.CurOffset(), 4);
    EXPECT_FALSE(file.Eof());
}

TEST_F(RWCarrierTest, ACutRecordFailsEveryCarrierAndKeepsTheTarget) {
    const std::string cut = kFileBytes.substr(0, 9); // inside the 16-bit word
    const std::string path = Path("cut.bin");
    Put(path, cut);
    RWBinaryFile file(path.c_str(), "rb");
    Record fromFile;
    EXPECT_FALSE(fromFile.Restore(file));
    EXPECT_TRUE(file.RestoreFailed());
    EXPECT_EQ(fromFile.u16, 0);

    std::stringstream raw(kRawStreamBytes.substr(0, 9));
    RWBinaryInStream in(raw);
    Record fromStream;
    EXPECT_FALSE(fromStream.Restore(in));
    EXPECT_FALSE(RWRestoreGood(in));
    EXPECT_EQ(fromStream.u16, 0);
    EXPECT_EQ(fromStream.i32, -2);
}

} // namespace
