// Every value type written through the abstract out-stream reads back
// through the abstract in-stream, in each encoding.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWEndianInStream.h"
#include "rw/RWEndianOutStream.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"

namespace {
struct Encoding {
    const char* name;
    std::unique_ptr<RWVirtualOutStream> (*writer)(std::streambuf*);
    std::unique_ptr<RWVirtualInStream> (*reader)(std::streambuf*);
    bool exactFloats; // the text form keeps 7 and 16 significant digits
};

const Encoding kEncodings[] = {
    {"portable",
     [](std::streambuf* b) -> std::unique_ptr<RWVirtualOutStream> {
         return std::make_unique<RWPortableOutStream>(b);
     },
     [](std::streambuf* b) -> std::unique_ptr<RWVirtualInStream> {
         return std::make_unique<RWPortableInStream>(b);
     },
     false},
    {"binary",
     [](std::streambuf* b) -> std::unique_ptr<RWVirtualOutStream> {
         return std::make_unique<RWBinaryOutStream>(b);
     },
     [](std::streambuf* b) -> std::unique_ptr<RWVirtualInStream> {
         return std::make_unique<RWBinaryInStream>(b);
     },
     true},
    {"endian little",
     [](std::streambuf* b) -> std::unique_ptr<RWVirtualOutStream> {
         return std::make_unique<RWEndianOutStream>(b, 0);
     },
     [](std::streambuf* b) -> std::unique_ptr<RWVirtualInStream> {
         return std::make_unique<RWEndianInStream>(b);
     },
     true},
    {"endian big",
     [](std::streambuf* b) -> std::unique_ptr<RWVirtualOutStream> {
         return std::make_unique<RWEndianOutStream>(b, 1);
     },
     [](std::streambuf* b) -> std::unique_ptr<RWVirtualInStream> {
         return std::make_unique<RWEndianInStream>(b);
     },
     true},
};

void PrintTo(const Encoding& encoding, std::ostream* os) {
    *os << encoding.name;
}

class RWVirtualStreamTest : public ::testing::TestWithParam<Encoding> {};

const unsigned short kUshorts[] = {0, 1, 0x8000, 65535};
const short kShorts[] = {-32768, -1, 0, 32767};
const unsigned long kUlongs[] = {0, 1, 0x80000000ul, 0xFFFFFFFFul};
const long kLongs[] = {-2147483647l - 1, -1, 0, 2147483647l};
const unsigned int kUints[] = {0, 7, 0xDEADBEEFu, 0xFFFFFFFFu};
const int kInts[] = {-2147483647 - 1, -7, 0, 2147483647};
const unsigned char kUbytes[] = {0, 1, 200, 255};
const char kSbytes[] = {-128, -1, 0, 127};
} // namespace

TEST_P(RWVirtualStreamTest, EveryValueTypeRoundTrips) {
    const Encoding& encoding = GetParam();
    const float floats[] = {0.0f, -1.5f, 0.1f, 3e-5f, encoding.exactFloats ? FLT_MAX : 1e38f, FLT_TRUE_MIN};
    const double doubles[] = {0.0, -0.5, 0.1, 123456.789, 1e300, -2.5e-300, DBL_MAX, DBL_TRUE_MIN, -INFINITY};
    std::string allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes += static_cast<char>(i);

    std::stringbuf buffer;
    {
        auto out = encoding.writer(&buffer);
        out->putString(allBytes.data(), allBytes.size());
        *out << "hello world";
        for (auto v : kUshorts)
            *out << v;
        for (auto v : kShorts)
            *out << v;
        for (auto v : kUlongs)
            *out << v;
        for (auto v : kLongs)
            *out << v;
        for (auto v : kUints)
            *out << v;
        for (auto v : kInts)
            *out << v;
        for (auto v : floats)
            *out << v;
        for (auto v : doubles)
            *out << v;
        for (int i = 0; i < 256; ++i)
            *out << static_cast<char>(i) << static_cast<unsigned char>(255 - i);
        for (auto v : kUbytes)
            out->put(v);
        for (auto v : kSbytes)
            out->put(v);
        out->put(doubles, std::size(doubles)).put(floats, std::size(floats));
        out->put(kUlongs, 4).put(kLongs, 4).put(kUints, 4).put(kInts, 4).put(kUshorts, 4).put(kShorts, 4);
        out->put(kUbytes, 4).put(kSbytes, 4);
        out->put(static_cast<unsigned char>(42));
        out->flush();
        EXPECT_TRUE(out->good());
    }

    auto in = encoding.reader(&buffer);
    char text[300];
    in->getString(text, sizeof text);
    EXPECT_EQ(std::string(text, allBytes.size()), allBytes);
    in->getString(text, sizeof text);
    EXPECT_STREQ(text, "hello world");
    for (auto v : kUshorts) {
        unsigned short r = 1;
        *in >> r;
        EXPECT_EQ(r, v);
    }
    for (auto v : kShorts) {
        short r = 1;
        *in >> r;
        EXPECT_EQ(r, v);
    }
    for (auto v : kUlongs) {
        unsigned long r = 1;
        *in >> r;
        EXPECT_EQ(r, v);
    }
    for (auto v : kLongs) {
        long r = 1;
        *in >> r;
        EXPECT_EQ(r, v);
    }
    for (auto v : kUints) {
        unsigned int r = 1;
        *in >> r;
        EXPECT_EQ(r, v);
    }
    for (auto v : kInts) {
        int r = 1;
        *in >> r;
        EXPECT_EQ(r, v);
    }
    for (auto v : floats) {
        float r = 1;
        *in >> r;
        EXPECT_EQ(r, v);
    }
    for (auto v : doubles) {
        double r = 1;
        *in >> r;
        EXPECT_EQ(r, v);
    }
    for (int i = 0; i < 256; ++i) {
        char c = 0;
        unsigned char u = 0;
        *in >> c >> u;
        EXPECT_EQ(static_cast<unsigned char>(c), i);
        EXPECT_EQ(u, 255 - i);
    }
    for (auto v : kUbytes) {
        unsigned char r = 1;
        in->get(r);
        EXPECT_EQ(r, v);
    }
    for (auto v : kSbytes) {
        char r = 1;
        in->get(r);
        EXPECT_EQ(r, v);
    }
    double doublesBack[std::size(doubles)] = {};
    float floatsBack[std::size(floats)] = {};
    in->get(doublesBack, std::size(doubles)).get(floatsBack, std::size(floats));
    EXPECT_EQ(std::memcmp(doublesBack, doubles, sizeof doubles), 0);
    EXPECT_EQ(std::memcmp(floatsBack, floats, sizeof floats), 0);
    unsigned long ulongs[4];
    long longs[4];
    unsigned int uints[4];
    int ints[4];
    unsigned short ushorts[4];
    short shorts[4];
    unsigned char ubytes[4];
    char sbytes[4];
    in->get(ulongs, 4).get(longs, 4).get(uints, 4).get(ints, 4).get(ushorts, 4).get(shorts, 4);
    in->get(ubytes, 4).get(sbytes, 4);
    EXPECT_TRUE(std::equal(ulongs, ulongs + 4, kUlongs));
    EXPECT_TRUE(std::equal(longs, longs + 4, kLongs));
    EXPECT_TRUE(std::equal(uints, uints + 4, kUints));
    EXPECT_TRUE(std::equal(ints, ints + 4, kInts));
    EXPECT_TRUE(std::equal(ushorts, ushorts + 4, kUshorts));
    EXPECT_TRUE(std::equal(shorts, shorts + 4, kShorts));
    EXPECT_TRUE(std::equal(ubytes, ubytes + 4, kUbytes));
    EXPECT_TRUE(std::equal(sbytes, sbytes + 4, kSbytes));
    EXPECT_EQ(in->get(), 42);
    EXPECT_TRUE(in->good());
    EXPECT_EQ(in->get(), -1);
    EXPECT_TRUE(in->eof());
}

INSTANTIATE_TEST_SUITE_P(Encodings, RWVirtualStreamTest, ::testing::ValuesIn(kEncodings),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == ' ') c = '_';
                             return name;
                         });
