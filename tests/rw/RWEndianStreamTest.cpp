#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <sstream>
#include <string>

#include "rw/RWEndianInStream.h"
#include "rw/RWEndianOutStream.h"
#include "rw/RWLibraryError.h"
#include "tests/support/Hex.h"

namespace {
using qvtest::FromHex;
using qvtest::ToHex;

std::string Written(int order, const std::function<void(RWVirtualOutStream&)>& write) {
    std::stringbuf sink;
    RWEndianOutStream out(&sink, order);
    write(out);
    EXPECT_TRUE(out.good());
    return ToHex(sink.str());
}

void WriteSample(RWVirtualOutStream& out) {
    const short shorts[] = {1, 2};
    out << 0x01020304 << static_cast<short>(0x0102) << -2l << 1.0 << 1.0f;
    out.put(shorts, 2);
    out.putString("hi", 2);
    out << 'Z';
}

// A sink that cannot say where it ends.
class UnseekableSink : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};
} // namespace

TEST(RWEndianStreamTest, HeaderAndValuesInLittleEndianOrder) {
    // 'e' 's', version 1, order 0, sizes of short 2, int 4, long 4, wide character 2, length word 4;
    // then int, short, long, double, float, two shorts, string (length word + bytes), character.
    EXPECT_EQ(Written(0, WriteSample), "65 73 01 00 02 04 04 02 04 "
                                       "04 03 02 01 02 01 FE FF FF FF 00 00 00 00 00 00 F0 3F 00 00 80 3F "
                                       "01 00 02 00 02 00 00 00 68 69 5A");
}

TEST(RWEndianStreamTest, HeaderAndValuesInBigEndianOrder) {
    EXPECT_EQ(Written(1, WriteSample), "65 73 01 01 02 04 04 02 04 "
                                       "01 02 03 04 01 02 FF FF FF FE 3F F0 00 00 00 00 00 00 3F 80 00 00 "
                                       "00 01 00 02 00 00 00 02 68 69 5A");
}

TEST(RWEndianStreamTest, HostOrderIsNamedInTheHeader) {
    if constexpr (std::endian::native != std::endian::little)
        GTEST_SKIP() << "checked on little-endian hosts";
    EXPECT_EQ(Written(2, [](auto&) {}), "65 73 01 00 02 04 04 02 04");
    std::stringbuf sink;
    RWEndianOutStream out(&sink);
    EXPECT_EQ(out.byteOrder(), 0);
}

TEST(RWEndianStreamTest, HeaderMustStartTheSink) {
    std::stringbuf used;
    used.sputc('x');
    EXPECT_THROW(RWEndianOutStream out(&used), RWStreamError);
    EXPECT_EQ(used.str(), "x"); // nothing added
    UnseekableSink unseekable;
    EXPECT_THROW(RWEndianOutStream out(&unseekable), RWStreamError);
    try {
        RWEndianOutStream out(&used);
    } catch (const RWStreamError& e) {
        EXPECT_STREQ(e.why(), "[STREAM] Bad input stream");
    }
}

TEST(RWEndianStreamTest, ReadsBigEndianInput) {
    std::stringbuf source(FromHex("65 73 01 01 02 04 04 02 04 "
                                  "01 02 03 04 FF FE FF FF FF FE 3F F0 00 00 00 00 00 00 C0 00 00 00 "
                                  "00 01 80 00 00 00 00 02 68 69"),
                          std::ios::in);
    RWEndianInStream in(&source);
    EXPECT_EQ(in.byteOrder(), 1);
    int i = 0;
    short s = 0;
    long l = 0;
    double d = 0;
    float f = 0;
    unsigned short pair[2] = {};
    char text[4];
    in >> i >> s >> l >> d >> f;
    in.get(pair, 2);
    in.getString(text, sizeof text);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(i, 0x01020304);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(f, -2.0f);
    EXPECT_EQ(pair[0], 1);
    EXPECT_EQ(pair[1], 0x8000);
    EXPECT_STREQ(text, "hi");
}

TEST(RWEndianStreamTest, OtherIntegerSizesAreResized) {
    struct Case {
        const char* what;
        const char* bytes; // header and one value
        std::function<long long(RWVirtualInStream&)> read;
        long long value;
        bool fits;
    };
    auto asLong = [](auto& s) {
        long v = 99;
        s >> v;
        return static_cast<long long>(v);
    };
    auto asUlong = [](auto& s) {
        unsigned long v = 99;
        s >> v;
        return static_cast<long long>(v);
    };
    auto asInt = [](auto& s) {
        int v = 99;
        s >> v;
        return static_cast<long long>(v);
    };
    auto asUint = [](auto& s) {
        unsigned v = 99;
        s >> v;
        return static_cast<long long>(v);
    };
    auto asShort = [](auto& s) {
        short v = 99;
        s >> v;
        return static_cast<long long>(v);
    };
    auto asUshort = [](auto& s) {
        unsigned short v = 99;
        s >> v;
        return static_cast<long long>(v);
    };
    const Case cases[] = {
        {"8-byte -1 into long", "65 73 01 00 02 04 08 02 04 FF FF FF FF FF FF FF FF", asLong, -1, true},
        {"8-byte 2^32 into long", "65 73 01 00 02 04 08 02 04 00 00 00 00 01 00 00 00", asLong, 0, false},
        {"8-byte 2^32-1 into unsigned long", "65 73 01 00 02 04 08 02 04 FF FF FF FF 00 00 00 00", asUlong,
         0xFFFFFFFFll, true},
        {"8-byte 2^31 into long", "65 73 01 00 02 04 08 02 04 00 00 00 80 00 00 00 00", asLong, -0x80000000ll,
         false},
        {"8-byte big-endian -2 into long", "65 73 01 01 02 04 08 02 04 FF FF FF FF FF FF FF FE", asLong, -2,
         true},
        {"8-byte big-endian 2^32 into long", "65 73 01 01 02 04 08 02 04 00 00 00 01 00 00 00 00", asLong, 0,
         false},
        {"2-byte -2 into int", "65 73 01 00 02 02 04 02 04 FE FF", asInt, -2, true},
        {"2-byte 0xFFFE into unsigned int", "65 73 01 00 02 02 04 02 04 FE FF", asUint, 0xFFFE, true},
        {"2-byte big-endian -2 into int", "65 73 01 01 02 02 04 02 04 FF FE", asInt, -2, true},
        {"1-byte 0x80 into short", "65 73 01 00 01 04 04 02 04 80", asShort, -128, true},
        {"1-byte 0x80 into unsigned short", "65 73 01 00 01 04 04 02 04 80", asUshort, 0x80, true},
        {"4-byte 32768 into short", "65 73 01 00 04 04 04 02 04 00 80 00 00", asShort, -32768, false},
        {"4-byte -32768 into short", "65 73 01 00 04 04 04 02 04 00 80 FF FF", asShort, -32768, true},
        {"4-byte 32768 into unsigned short", "65 73 01 00 04 04 04 02 04 00 80 00 00", asUshort, 0x8000,
         true},
        {"8-byte int that fits", "65 73 01 00 02 08 04 02 04 FE FF FF FF FF FF FF FF", asInt, -2, true},
    };
    for (const Case& c : cases) {
        std::stringbuf source(FromHex(c.bytes), std::ios::in);
        RWEndianInStream in(&source);
        EXPECT_EQ(c.read(in), c.value) << c.what;
        EXPECT_EQ(in.rdstate(), c.fits ? RWVirtualStreamBase::goodbit : RWVirtualStreamBase::failbit)
            << c.what;
    }
}

TEST(RWEndianStreamTest, ResizedArraysAndStrings) {
    // long size 8, length word size 2, big-endian.
    std::stringbuf source(FromHex("65 73 01 01 02 04 08 02 02 "
                                  "00 00 00 00 00 00 00 01 FF FF FF FF FF FF FF FD 00 02 6F 6B"),
                          std::ios::in);
    RWEndianInStream in(&source);
    EXPECT_EQ(in.longSize(), 8u);
    EXPECT_EQ(in.lengthSize(), 2u);
    long values[2] = {};
    char text[3];
    in.get(values, 2);
    in.getString(text, sizeof text);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(values[0], 1);
    EXPECT_EQ(values[1], -3);
    EXPECT_STREQ(text, "ok");
}

TEST(RWEndianStreamTest, BadHeadersRaiseStreamError) {
    const char* headers[] = {
        "",                           // nothing at all
        "78 73 01 00 02 04 04 02 04", // first byte not 'e'
        "65 78 01 00 02 04 04 02 04", // second byte not 's'
        "65 73 02 00 02 04 04 02 04", // unknown version
        "65 73 01 00 02",             // cut short
        "65 73 01 00 C8 04 04 02 04", // short size 200
        "65 73 01 00 02 C8 04 02 04", // int size 200
        "65 73 01 00 02 04 C8 02 04", // long size 200
        "65 73 01 00 02 04 04 C8 04", // wide character size 200
        "65 73 01 00 02 04 04 02 C8", // length word size 200
        "65 73 01 00 02 04 03 02 04", // long size 3
        "65 73 01 00 02 04 00 02 04", // long size 0
        "65 73 01 00 02 04 10 02 04", // long size 16
    };
    for (const char* header : headers) {
        std::stringbuf source(FromHex(header), std::ios::in);
        EXPECT_THROW(RWEndianInStream in(&source), RWStreamError) << header;
    }
}

TEST(RWEndianStreamTest, AnyNonZeroOrderByteMeansBigEndian) {
    std::stringbuf source(FromHex("65 73 01 07 02 04 04 02 04 00 00 00 05"), std::ios::in);
    RWEndianInStream in(&source);
    int value = 0;
    in >> value;
    EXPECT_EQ(in.byteOrder(), 1);
    EXPECT_EQ(value, 5);
}

TEST(RWEndianStreamTest, GetStringFailures) {
    {
        SCOPED_TRACE("length word cut short");
        std::stringbuf source(FromHex("65 73 01 00 02 04 04 02 04 03 00"), std::ios::in);
        RWEndianInStream in(&source);
        char text[8] = "junk";
        in.getString(text, sizeof text);
        EXPECT_STREQ(text, "");
        EXPECT_TRUE(in.bad());
        EXPECT_TRUE(in.fail());
    }
    {
        SCOPED_TRACE("length word too large for 32 bits");
        std::stringbuf source(FromHex("65 73 01 00 02 04 04 02 08 00 00 00 00 01 00 00 00 61"), std::ios::in);
        RWEndianInStream in(&source);
        char text[8] = "junk";
        in.getString(text, sizeof text);
        EXPECT_STREQ(text, "");
        EXPECT_EQ(in.rdstate(), RWVirtualStreamBase::failbit | RWVirtualStreamBase::badbit);
    }
    {
        SCOPED_TRACE("string longer than the buffer");
        std::stringbuf source(
            FromHex("65 73 01 00 02 04 04 02 04 0A 00 00 00 30 31 32 33 34 35 36 37 38 39 2A"), std::ios::in);
        RWEndianInStream in(&source);
        char text[4];
        in.getString(text, sizeof text);
        EXPECT_STREQ(text, "012");
        EXPECT_EQ(in.rdstate(), RWVirtualStreamBase::failbit);
        in.clear();
        char next = 0;
        in >> next;
        EXPECT_EQ(next, '*');
    }
}
