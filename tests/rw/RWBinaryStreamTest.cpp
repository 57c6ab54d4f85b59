#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <sstream>
#include <string>

#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "tests/support/Hex.h"

namespace {
using qvtest::FromHex;
using qvtest::ToHex;

constexpr unsigned kEofFail = RWVirtualStreamBase::eofbit | RWVirtualStreamBase::failbit;

// A sink that holds only a few bytes and never takes more.
class TinySink : public std::streambuf {
public:
    TinySink() { setp(area_, area_ + sizeof area_); }

private:
    char area_[4];
};

// A sink whose sync always fails.
class FailingSyncSink : public std::stringbuf {
protected:
    int sync() override { return -1; }
};
} // namespace

TEST(RWBinaryStreamTest, ValuesAreWrittenAsLittleEndianImages) {
    if constexpr (std::endian::native != std::endian::little) GTEST_SKIP() << "raw images follow the host";
    struct Case {
        const char* what;
        std::function<void(RWVirtualOutStream&)> write;
        const char* bytes;
    };
    const long longs[] = {1, -1};
    const short shorts[] = {1, -1};
    const Case cases[] = {
        {"unsigned short", [](auto& s) { s << static_cast<unsigned short>(0xBEEF); }, "EF BE"},
        {"short", [](auto& s) { s << static_cast<short>(-2); }, "FE FF"},
        {"unsigned long", [](auto& s) { s << 0x89ABCDEFul; }, "EF CD AB 89"},
        {"long is 32-bit", [](auto& s) { s << -2l; }, "FE FF FF FF"},
        {"unsigned int", [](auto& s) { s << 0x01020304u; }, "04 03 02 01"},
        {"int", [](auto& s) { s << -1; }, "FF FF FF FF"},
        {"float", [](auto& s) { s << 1.0f; }, "00 00 80 3F"},
        {"double", [](auto& s) { s << -2.0; }, "00 00 00 00 00 00 00 C0"},
        {"character", [](auto& s) { s << 'A' << static_cast<unsigned char>(0xAB); }, "41 AB"},
        {"8-bit numbers", [](auto& s) { s.put(static_cast<char>(-56)).put(static_cast<unsigned char>(200)); },
         "C8 C8"},
        {"C string", [](auto& s) { s << "hi"; }, "02 00 00 00 68 69"},
        {"string with NUL", [](auto& s) { s.putString("a\0b", 3); }, "03 00 00 00 61 00 62"},
        {"empty string", [](auto& s) { s.putString("", 0); }, "00 00 00 00"},
        {"long array", [&](auto& s) { s.put(longs, 2); }, "01 00 00 00 FF FF FF FF"},
        {"short array", [&](auto& s) { s.put(shorts, 2); }, "01 00 FF FF"},
    };
    for (const Case& c : cases) {
        std::stringbuf sink;
        RWBinaryOutStream out(&sink);
        c.write(out);
        EXPECT_TRUE(out.good()) << c.what;
        EXPECT_EQ(ToHex(sink.str()), c.bytes) << c.what;
    }
}

TEST(RWBinaryStreamTest, LongOutsideThirtyTwoBitsSetsFailure) {
    std::stringbuf sink;
    RWBinaryOutStream out(&sink);
    out << 0xFFFFFFFFul << -0x80000000l;
    EXPECT_TRUE(out.good());
    out << 0x100000000l;
    EXPECT_EQ(out.rdstate(), RWVirtualStreamBase::failbit);
    EXPECT_EQ(ToHex(sink.str()), "FF FF FF FF 00 00 00 80 00 00 00 00");
}

TEST(RWBinaryStreamTest, LongsAreReadFromThirtyTwoBits) {
    std::stringbuf source(FromHex("FF FF FF FF FF FF FF FF FE FF FF FF 02 00 00 00"), std::ios::in);
    RWBinaryInStream in(&source);
    long signedValue = 0;
    unsigned long unsignedValue = 0;
    long array[2] = {};
    in >> signedValue >> unsignedValue;
    in.get(array, 2);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(signedValue, -1);
    EXPECT_EQ(unsignedValue, 0xFFFFFFFFul);
    EXPECT_EQ(array[0], -2);
    EXPECT_EQ(array[1], 2);
}

TEST(RWBinaryStreamTest, GetStringCutsALongStringAndStaysAfterIt) {
    std::stringbuf source(FromHex("0A 00 00 00 30 31 32 33 34 35 36 37 38 39 07 00 00 00"), std::ios::in);
    RWBinaryInStream in(&source);
    char buf[4] = {'x', 'x', 'x', 'x'};
    in.getString(buf, sizeof buf);
    EXPECT_STREQ(buf, "012");
    EXPECT_EQ(in.rdstate(), RWVirtualStreamBase::failbit);
    in.clear();
    int next = 0;
    in >> next;
    EXPECT_TRUE(in.good());
    EXPECT_EQ(next, 7);
}

TEST(RWBinaryStreamTest, ShortInputFailsAndStoresNothing) {
    struct Case {
        const char* what;
        const char* bytes;
        std::function<std::string(RWVirtualInStream&)> read; // what was stored
        const char* stored;
    };
    const Case cases[] = {
        {"int from two bytes", "01 02",
         [](auto& s) {
             int v = 5;
             s >> v;
             return std::to_string(v);
         },
         "5"},
        {"double from seven bytes", "00 00 00 00 00 00 F0",
         [](auto& s) {
             double v = 5;
             s >> v;
             return std::to_string(v);
         },
         "5.000000"},
        {"long from nothing", "",
         [](auto& s) {
             long v = 5;
             s >> v;
             return std::to_string(v);
         },
         "5"},
        {"character at the end", "",
         [](auto& s) {
             char c = 0;
             s >> c;
             return std::to_string(c & 0xFF);
         },
         "255"},
        {"8-bit number at the end", "",
         [](auto& s) {
             unsigned char c = 0;
             s.get(c);
             return std::to_string(c);
         },
         "255"},
        {"item at the end", "", [](auto& s) { return std::to_string(s.get()); }, "-1"},
        {"string without its length", "03 00",
         [](auto& s) {
             char b[8] = "junk";
             s.getString(b, sizeof b);
             return std::string(b);
         },
         ""},
        {"string cut short", "05 00 00 00 61 62",
         [](auto& s) {
             char b[8] = "junk";
             s.getString(b, sizeof b);
             return std::string(b);
         },
         "ab"},
        {"huge length word", "FF FF FF FF 61 62 63",
         [](auto& s) {
             char b[8] = "junk";
             s.getString(b, sizeof b);
             return std::string(b);
         },
         "abc"},
        {"huge length, tiny buffer", "FF FF FF FF 61 62 63",
         [](auto& s) {
             char b[2] = "j";
             s.getString(b, sizeof b);
             return std::string(b);
         },
         "a"},
    };
    for (const Case& c : cases) {
        std::stringbuf source(FromHex(c.bytes), std::ios::in);
        RWBinaryInStream in(&source);
        EXPECT_EQ(c.read(in), c.stored) << c.what;
        EXPECT_EQ(in.rdstate() & kEofFail, kEofFail) << c.what;
    }
}

TEST(RWBinaryStreamTest, SinkFailuresShowInTheState) {
    TinySink tiny;
    RWBinaryOutStream out(&tiny);
    out << 1;
    EXPECT_TRUE(out.good());
    out << 2;
    EXPECT_EQ(out.rdstate(), RWVirtualStreamBase::failbit);

    FailingSyncSink failing;
    RWBinaryOutStream synced(&failing);
    synced << 1;
    synced.flush();
    EXPECT_TRUE(synced.bad());

    RWBinaryOutStream none(static_cast<std::streambuf*>(nullptr));
    none << 1 << "text";
    none.clear();
    EXPECT_TRUE(none.bad()); // no buffer stays bad
    RWBinaryInStream noInput(static_cast<std::streambuf*>(nullptr));
    int value = 3;
    noInput >> value;
    EXPECT_EQ(value, 3);
    EXPECT_TRUE(noInput.fail());
}

TEST(RWBinaryStreamTest, SharesTheBufferOfAStandardStream) {
    std::stringstream both;
    RWBinaryOutStream out(both);
    out << 0x11223344u << "ab";
    RWBinaryInStream in(both);
    unsigned int number = 0;
    char text[3];
    in >> number;
    in.getString(text, sizeof text);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(number, 0x11223344u);
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(in.rdbuf(), both.rdbuf());
}
