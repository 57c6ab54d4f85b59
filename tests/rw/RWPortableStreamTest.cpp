#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <locale>
#include <sstream>
#include <string>

#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"

namespace {
std::string Written(const std::function<void(RWVirtualOutStream&)>& write) {
    std::stringbuf sink;
    RWPortableOutStream out(&sink);
    write(out);
    EXPECT_TRUE(out.good());
    return sink.str();
}

constexpr unsigned kEofFail = RWVirtualStreamBase::eofbit | RWVirtualStreamBase::failbit;
constexpr unsigned kFail = RWVirtualStreamBase::failbit;

// A numeric punctuation that would print "1,5".
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};
} // namespace

TEST(RWPortableStreamTest, SpaceBraceAndHighByteAreEscapedAndReadBack) {
    const char bytes[] = {' ', '{', static_cast<char>(0xFF)};
    const std::string text = Written([&](auto& s) { s.putString(bytes, 3); });
    EXPECT_EQ(text, "\"\\x20\\[\\xff\"");
    std::stringbuf source(text, std::ios::in);
    RWPortableInStream in(&source);
    char back[8];
    in.getString(back, sizeof back);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(std::string(back), std::string(bytes, 3));
}

TEST(RWPortableStreamTest, CharactersGoThroughTheEscaper) {
    struct Case {
        unsigned char byte;
        const char* text;
    };
    const Case cases[] = {
        {8, "\\b"},      {9, "\\t"},      {10, "\\n"},     {12, "\\f"},     {13, "\\r"},
        {'"', "\\\""},   {'\\', "\\\\"},  {'{', "\\["},    {'}', "\\]"},    {'A', "A"},
        {'~', "~"},      {'!', "!"},      {' ', "\\x20"},  {0, "\\x00"},    {11, "\\x0b"},
        {0x7F, "\\x7f"}, {0x80, "\\x80"}, {0xE9, "\\xe9"}, {0xFF, "\\xff"},
    };
    for (const Case& c : cases) {
        const std::string text = Written([&](auto& s) { s << c.byte; });
        EXPECT_EQ(text, c.text) << int(c.byte);
        std::stringbuf source(text, std::ios::in);
        RWPortableInStream in(&source);
        char back = 0;
        in >> back;
        EXPECT_FALSE(in.fail()) << int(c.byte);
        EXPECT_EQ(static_cast<unsigned char>(back), c.byte);
    }
}

TEST(RWPortableStreamTest, NumbersAreDecimalLinesInTheClassicForm) {
    // A comma locale must not leak into the text.
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    struct Case {
        const char* what;
        std::function<void(RWVirtualOutStream&)> write;
        const char* text;
    };
    const char signedBytes[] = {1, -1};
    const unsigned char unsignedBytes[] = {0, 255};
    const double doubles[] = {1, 2};
    const Case cases[] = {
        {"int", [](auto& s) { s << -5; }, "-5\n"},
        {"unsigned int", [](auto& s) { s << 4000000000u; }, "4000000000\n"},
        {"short", [](auto& s) { s << static_cast<short>(-32768); }, "-32768\n"},
        {"unsigned short", [](auto& s) { s << static_cast<unsigned short>(65535); }, "65535\n"},
        {"long", [](auto& s) { s << -2147483648l; }, "-2147483648\n"},
        {"unsigned long", [](auto& s) { s << 4294967295ul; }, "4294967295\n"},
        {"signed 8-bit 0xC8", [](auto& s) { s.put(static_cast<char>(0xC8)); }, "-56\n"},
        {"unsigned 8-bit 200", [](auto& s) { s.put(static_cast<unsigned char>(200)); }, "200\n"},
        {"signed 8-bit array", [&](auto& s) { s.put(signedBytes, 2); }, "1\n-1\n"},
        {"unsigned 8-bit array", [&](auto& s) { s.put(unsignedBytes, 2); }, "0\n255\n"},
        {"double", [](auto& s) { s << 1.5; }, "1.500000000000000e+00\n"},
        {"double, 3-digit exponent", [](auto& s) { s << -1e-300; }, "-1.000000000000000e-300\n"},
        {"double zero", [](auto& s) { s << 0.0; }, "0.000000000000000e+00\n"},
        {"double, 16 digits", [](auto& s) { s << 123456789.125; }, "1.234567891250000e+08\n"},
        {"float", [](auto& s) { s << 0.1f; }, "1.000000e-01\n"},
        {"negative float", [](auto& s) { s << -2.5f; }, "-2.500000e+00\n"},
        {"double array", [&](auto& s) { s.put(doubles, 2); },
         "1.000000000000000e+00\n2.000000000000000e+00\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Written(c.write), c.text) << c.what;
    std::locale::global(previous);
}

TEST(RWPortableStreamTest, FloatingTextReadsWithEitherExponentWidth) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"1.234500000000000e+002", 123.45},
        {"1.234500000000000e+02", 123.45},
        {"-2.500000000000000e-005", -2.5e-5},
        {"-2.500000000000000e-05", -2.5e-5},
        {"1.000000000000000e+300", 1e300},
        {"4.940656458412465e-324", DBL_TRUE_MIN},
        {"1.797693134862316e+308", DBL_MAX}, // rounded up past the largest double by the writer
        {"-1.797693134862316e+308", -DBL_MAX},
        {"inf", INFINITY},
        {"  +7.5e+000", 7.5},
    };
    for (const Case& c : cases) {
        std::stringbuf source(std::string(c.text) + "\n", std::ios::in);
        RWPortableInStream in(&source);
        double value = 0;
        in >> value;
        EXPECT_TRUE(in.good()) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    std::stringbuf floats("2.500000e+000\n1.000000e-01\n-3.000000e-005\n", std::ios::in);
    RWPortableInStream in(&floats);
    float values[3] = {};
    in.get(values, 3);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(values[0], 2.5f);
    EXPECT_EQ(values[1], 0.1f);
    EXPECT_EQ(values[2], -3e-5f);
}

TEST(RWPortableStreamTest, LongStringsWrapBeforeColumnEighty) {
    const std::string plain(100, 'a');
    const std::string text = Written([&](auto& s) { s.putString(plain.data(), plain.size()); });
    // Quote and 79 bytes fill the 80 columns; the 80th byte starts a new line.
    EXPECT_EQ(text, "\"" + std::string(79, 'a') + "\n" + std::string(21, 'a') + "\"");
    std::stringbuf source(text, std::ios::in);
    RWPortableInStream in(&source);
    char back[128];
    in.getString(back, sizeof back);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(back, plain);

    // A hex escape is never split, and numbers do not count.
    const std::string escaped = Written([](auto& s) {
        s << 1;
        s.putString(std::string(78, 'b').c_str(), 78);
        s << ' ';
    });
    EXPECT_EQ(escaped, "1\n\"" + std::string(78, 'b') + "\"\n\\x20");
}

TEST(RWPortableStreamTest, GetStringCutsALongStringAndStaysAfterIt) {
    struct Case {
        const char* what;
        const char* text;
    };
    const Case cases[] = {
        {"plain", "\"0123456789\"7\n"},
        {"escaped quote past the cut", "\"012\\\"45\\\"\"7\n"},
        {"wrapped past the cut", "\"0123\n45\"7\n"},
    };
    for (const Case& c : cases) {
        std::stringbuf source(c.text, std::ios::in);
        RWPortableInStream in(&source);
        char back[4] = {'x', 'x', 'x', 'x'};
        in.getString(back, sizeof back);
        EXPECT_STREQ(back, "012") << c.what;
        EXPECT_EQ(in.rdstate(), kFail) << c.what;
        in.clear();
        int next = 0;
        in >> next;
        EXPECT_TRUE(in.good()) << c.what;
        EXPECT_EQ(next, 7) << c.what;
    }
}

TEST(RWPortableStreamTest, StringWithoutOpeningQuoteRaisesSynstream) {
    std::stringbuf source("  abc\"", std::ios::in);
    RWPortableInStream in(&source);
    char back[8] = "junk";
    try {
        in.getString(back, sizeof back);
        FAIL() << "no exception";
    } catch (const RWExternalError& e) {
        EXPECT_STREQ(e.why(), "[SYNSTREAM] Syntax error in input stream: expected \", got a");
    }
    EXPECT_STREQ(back, "");
    EXPECT_TRUE(in.fail());
    char next = 0;
    in >> next;
    EXPECT_EQ(next, 'a'); // the offending byte stays
}

TEST(RWPortableStreamTest, BadOrTruncatedTextFailsTheStream) {
    struct Case {
        const char* what;
        const char* text;
        std::function<std::string(RWVirtualInStream&)> read; // what was stored
        const char* stored;
        unsigned state;
    };
    auto asInt = [](auto& s) {
        int v = 5;
        s >> v;
        return std::to_string(v);
    };
    auto asShort = [](auto& s) {
        short v = 5;
        s >> v;
        return std::to_string(v);
    };
    auto asDouble = [](auto& s) {
        double v = 5;
        s >> v;
        return std::to_string(v);
    };
    auto asString = [](auto& s) {
        char b[8] = "junk";
        s.getString(b, sizeof b);
        return std::string(b);
    };
    auto asChar = [](auto& s) {
        char c = 'q';
        s >> c;
        return std::string(1, c);
    };
    const std::string hugeNumber(200, '9');
    const Case cases[] = {
        {"int at the end", "", asInt, "5", kEofFail},
        {"int from letters", "abc", asInt, "5", kFail},
        {"int too large", "99999999999\n", asInt, "5", kFail},
        {"int of many digits", hugeNumber.c_str(), asInt, "5", kEofFail},
        {"short too large", "40000\n", asShort, "5", kFail},
        {"sign alone", "-\n", asInt, "5", kFail},
        {"double, exponent missing", "1.5e\n", asDouble, "5.000000", kFail},
        {"double out of range", "1e999\n", asDouble, "5.000000", kFail},
        {"double, two signs", "--1\n", asDouble, "5.000000", kFail},
        {"double of many digits", hugeNumber.c_str(), asDouble, "5.000000", kEofFail},
        {"string at the end", "  ", asString, "", kEofFail},
        {"string not closed", "\"abc", asString, "abc", kEofFail},
        {"string ends in an escape", "\"ab\\", asString, "ab", kEofFail},
        {"hex escape without digits", "\"a\\xzz\"", asString, "a", kFail},
        {"hex escape cut by a newline", "\"a\\x\n\"", asString, "a", kFail},
        {"character at the end", "\n", asChar, "q", kEofFail},
        {"character escape cut", "\\", asChar, "q", kEofFail},
    };
    for (const Case& c : cases) {
        std::stringbuf source(c.text, std::ios::in);
        RWPortableInStream in(&source);
        EXPECT_EQ(c.read(in), c.stored) << c.what;
        EXPECT_EQ(in.rdstate(), c.state) << c.what;
    }
}

TEST(RWPortableStreamTest, EightBitNumbersKeepTheLowByte) {
    std::stringbuf source("-56\n200\n-1\n42\n", std::ios::in);
    RWPortableInStream in(&source);
    unsigned char fromSigned = 0;
    char fromUnsigned = 0;
    unsigned int fromMinusOne = 0;
    in.get(fromSigned).get(fromUnsigned);
    in >> fromMinusOne;
    EXPECT_EQ(fromSigned, 200);
    EXPECT_EQ(fromUnsigned, static_cast<char>(-56));
    EXPECT_EQ(fromMinusOne, 0xFFFFFFFFu); // as the stream library reads it
    EXPECT_EQ(in.get(), 42);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(in.get(), -1);
    EXPECT_TRUE(in.eof());
}
