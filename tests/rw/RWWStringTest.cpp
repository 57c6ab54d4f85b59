#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWEndianInStream.h"
#include "rw/RWEndianOutStream.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "rw/RWWString.h"
#include "rw/RWWSubString.h"
#include "tests/support/TempFile.h"
#include "winapi/WinKernel.h"
#include "winapi/host/WinHostProcess.h"

// Readable failure messages: the string's own output operator writes raw units.
void PrintTo(const RWWString& s, std::ostream* os) {
    *os << "u\"";
    for (size_t i = 0; i < s.Length(); ++i) {
        const char16_t u = s.Data()[i];
        if (u >= 0x20 && u < 0x7F) {
            *os << static_cast<char>(u);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%04X", static_cast<unsigned>(u));
            *os << hex;
        }
    }
    *os << "\"";
}

namespace {

template <typename F> std::string ErrorText(F&& f) {
    try {
        f();
    } catch (const RWBoundsError& e) {
        return e.why();
    }
    return "no RWBoundsError";
}

// Runs a test body under another ANSI code page of the host.
class CodePage {
public:
    explicit CodePage(UINT codePage) : previous_(GetACP()) { SetAnsiCodePageForHost(codePage); }
    ~CodePage() { SetAnsiCodePageForHost(previous_); }

private:
    UINT previous_;
};

// Units as little-endian byte pairs, the iostream readers' input.
std::string UnitBytes(std::u16string_view units) {
    std::string bytes;
    for (char16_t u : units) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

std::vector<unsigned char> Raw(const std::string& s) {
    return {s.begin(), s.end()};
}

std::string NarrowBytes(const RWCString& s) {
    return std::string(s.Data(), s.Length());
}

} // namespace

TEST(RWWStringTest, CapacityFollowsTheAdjustmentRule) {
    EXPECT_EQ(RWWString(u'x').Capacity(), 15u);
    EXPECT_EQ(RWWString('x').Capacity(), 15u);

    for (const auto& [length, after] : {std::pair<size_t, size_t>{16, 31}, {32, 47}}) {
        RWWString s(u'a', length);
        ASSERT_EQ(s.Capacity(), length);
        s += u"b";
        EXPECT_EQ(s.Capacity(), after) << length;
        EXPECT_EQ(s.Length(), length + 1);
    }

    RWWString s(u'a', 32);
    s.Append(u"bbbbbbbb");
    ASSERT_EQ(s.Capacity(), 47u);
    s.Replace(0, 40, u"0123456789");
    EXPECT_EQ(s.Capacity(), 15u);
    EXPECT_EQ(s, u"0123456789");
}

TEST(RWWStringTest, BoundsErrors) {
    RWWString s(u"abcde");
    EXPECT_EQ(ErrorText([&] { s[7]; }),
              "[INDEXERR] Illegal Index (7) for collection or string with 5 elements");
    EXPECT_EQ(ErrorText([&] { s[RW_NPOS]; }), "[NPOSINDEX] The value RW_NPOS cannot be used as an index.");
    // A wide substring reports INDEX with its own length, for RW_NPOS too.
    RWWSubString sub = s(0, 5);
    EXPECT_EQ(ErrorText([&] { sub[5]; }), "[INDEX] Index (5) out of range [0->5]");
    EXPECT_EQ(ErrorText([&] { sub[RW_NPOS]; }), "[INDEX] Index (4294967295) out of range [0->5]");
    EXPECT_EQ(ErrorText([&] { s(4, 2); }), "[SUBSTRING] Illegal substring (4, 2) from 5 element RWCString");
}

TEST(RWWStringTest, CopiesShareUntilOneSideChanges) {
    RWWString a(u"shared");
    RWWString b(a);
    EXPECT_EQ(a.Rep(), b.Rep());
    b.ToUpper();
    EXPECT_NE(a.Rep(), b.Rep());
    EXPECT_EQ(a, u"shared");
    EXPECT_EQ(b, u"SHARED");

    RWWString c(a);
    c(0, 1) = u"Sh";
    EXPECT_EQ(a, u"shared");
    EXPECT_EQ(c, u"Shhared");

    RWWString d(a);
    d = u"";
    EXPECT_EQ(d.Rep(), RWWString().Rep());
    EXPECT_EQ(a, u"shared");
}

TEST(RWWStringTest, EditingSearchAndComparison) {
    RWWString s(u"Hello");
    s.Append(u" World").Prepend(u">").Insert(1, u"<");
    EXPECT_EQ(s, u"><Hello World");
    s.Replace(100, 0, u"!"); // the NUL-terminated form clamps the position
    EXPECT_EQ(s, u"><Hello World!");
    s.Remove(0, 2);
    s.Resize(14);
    EXPECT_EQ(s, u"Hello World!  ");
    EXPECT_EQ(RWWString(s.Strip(RWBoth)), u"Hello World!");

    EXPECT_EQ(s.Index(u"world", 0, RWIgnoreCase), 6u);
    EXPECT_EQ(s.Index(u"world"), RW_NPOS);
    EXPECT_EQ(s.Index(u"", 3), 3u);
    EXPECT_EQ(s.Last(u'o'), 7u);
    EXPECT_EQ(s.First(u"dW"), 6u);

    struct Case {
        const char16_t* a;
        const char16_t* b;
        RWCaseCompare cmp;
        int expected;
    };
    const Case cases[] = {
        {u"abcd", u"abc", RWExact, 1},           {u"ab", u"abc", RWExact, -1},
        {u"\u00E9", u"a", RWExact, 1},           {u"CAF\u00C9", u"caf\u00E9", RWIgnoreCase, 0},
        {u"\u03A9", u"\u03C9", RWIgnoreCase, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RWWString(c.a).CompareTo(c.b, c.cmp), c.expected);
        EXPECT_EQ(RWWString(c.a).CompareTo(RWWString(c.b), c.cmp), c.expected);
    }
    EXPECT_EQ(RWWString(u"ab\0c", 4).CompareTo(u"ab"), 1);
}

TEST(RWWStringTest, CaseMappingCoversMoreThanAscii) {
    RWWString s(u"Stra\u00DFe caf\u00E9 \u03C9\u0436 \uFF41");
    EXPECT_EQ(ToUpper(s), u"STRA\u00DFE CAF\u00C9 \u03A9\u0416 \uFF21"); // sharp s has no one-unit upper case
    EXPECT_EQ(ToLower(ToUpper(s)), u"stra\u00DFe caf\u00E9 \u03C9\u0436 \uFF41");
    RWWString surrogates(u"\xD801\xDC28");
    EXPECT_EQ(ToUpper(surrogates), surrogates); // units, not code points
}

TEST(RWWStringTest, HashesFoldUnitsAsDefined) {
    // h = 3; rotl(h,5) ^ 0x00620061 ("ab" as one word); rotl(h,5) ^ 0x63 ("c")
    EXPECT_EQ(RWWString(u"abc").Hash(), 0x0C400043u);
    // Folded: h = 1; rotl(h,5) ^ 0xC9 (upper case of U+00E9)
    EXPECT_EQ(RWWString(u"\u00E9").Hash(RWIgnoreCase), 0xE9u);
    EXPECT_EQ(RWWString(u"\u00C9").Hash(RWIgnoreCase), 0xE9u);
}

TEST(RWWStringTest, NarrowConversionsInTheAnsiCodePage) {
    CodePage cp(1252);
    // Ascii mode widens each byte; MultiByte decodes code page 1252.
    EXPECT_EQ(RWWString("caf\xE9\x80", RWWString::Ascii), u"caf\u00E9\u0080");
    EXPECT_EQ(RWWString("caf\xE9\x80", RWWString::MultiByte), u"caf\u00E9\u20AC");
    EXPECT_EQ(RWWString(RWCString("ab\0cd", 5), RWWString::Ascii).Length(), 5u);
    EXPECT_EQ(RWWString(RWCString("ab\0cd", 5), RWWString::MultiByte), u"ab"); // stops at the NUL
    const RWWString fromMultiByte("x\xE9", RWWString::MultiByte);
    EXPECT_EQ(fromMultiByte.Capacity(), 2u);

    EXPECT_EQ(NarrowBytes(RWWString(u"caf\u00E9\u20AC").ToMultiByte()), "caf\xE9\x80");
    EXPECT_EQ(NarrowBytes(RWWString(u"ab\0cd", 5).ToMultiByte()), "ab"); // stops at the 0 unit
    EXPECT_EQ(NarrowBytes(RWWString(u"\u20AC\u0141").ToAscii()), "\xAC\x41");
    EXPECT_TRUE(RWWString(u"plain").IsAscii());
    EXPECT_FALSE(RWWString(u"caf\u00E9").IsAscii());
}

TEST(RWWStringTest, DoubleByteCodePageRoundTrip) {
    CodePage cp(932);
    const RWWString wide("a\x82\xA0", RWWString::MultiByte);
    EXPECT_EQ(wide, u"a\u3042");
    EXPECT_EQ(NarrowBytes(wide.ToMultiByte()), "a\x82\xA0");
}

TEST(RWWStringTest, FailedConversionsSayTheyFailed) {
    {
        CodePage cp(65001);
        RWWString out(u"old");
        EXPECT_FALSE(RWWString::FromMultiByte("ok\xC3(", 4, out)); // a broken UTF-8 sequence
        EXPECT_TRUE(out.IsNull());
        EXPECT_TRUE(RWWString("ok\xC3(", RWWString::MultiByte).IsNull());

        EXPECT_TRUE(RWWString::FromMultiByte("", 0, out)); // empty input is no failure
        EXPECT_TRUE(RWWString::FromMultiByte("\xE2\x82\xAC", 3, out));
        EXPECT_EQ(out, u"\u20AC");
    }
    CodePage cp(1252);
    RWCString narrow("old");
    EXPECT_FALSE(RWWString(u"\u65E5").ToMultiByte(narrow)); // no such character in 1252
    EXPECT_TRUE(narrow.IsNull());
    EXPECT_TRUE(RWWString(u"a\u65E5").ToMultiByte().IsNull());
    EXPECT_TRUE(RWWString(u"").ToMultiByte(narrow));
}

// ---- iostream readers and writer

enum class Reader { Line, LineKeepingWhite, ToSemicolon, String, File, Token };

void Read(Reader reader, RWWString& s, std::istream& is) {
    switch (reader) {
    case Reader::Line:
        s.ReadLine(is);
        break;
    case Reader::LineKeepingWhite:
        s.ReadLine(is, false);
        break;
    case Reader::ToSemicolon:
        s.ReadToDelim(is, u';');
        break;
    case Reader::String:
        s.ReadString(is);
        break;
    case Reader::File:
        s.ReadFile(is);
        break;
    case Reader::Token:
        s.ReadToken(is);
        break;
    }
}

TEST(RWWStringTest, ReadersStopAtTheirDelimiters) {
    struct Case {
        const char* name;
        Reader reader;
        std::u16string input;
        std::u16string expected;
        std::u16string rest; // what is left in the stream
        bool failed;
    };
    const Case cases[] = {
        {"line", Reader::Line, u"ab\ncd", u"ab", u"cd", false},
        {"line without line feed", Reader::Line, u"abc", u"abc", u"", true},
        {"line skipping white", Reader::Line, u" \n\t x y\nz", u"x y", u"z", false},
        {"line keeping white", Reader::LineKeepingWhite, u" x\n", u" x", u"", false},
        {"delimiter", Reader::ToSemicolon, u"a;b", u"a", u"b", false},
        {"string", Reader::String, std::u16string(u"ab\0cd", 5), u"ab", u"cd", false},
        {"file", Reader::File, std::u16string(u"a\nb\0c", 5), std::u16string(u"a\nb\0c", 5), u"", true},
        {"token", Reader::Token, u"  ab cd", u"ab", u"cd", false},
        {"token at the end", Reader::Token, u"\u3000ab", u"ab", u"", true},
    };
    for (const Case& c : cases) {
        std::istringstream is(UnitBytes(c.input));
        RWWString s(u"old contents");
        Read(c.reader, s, is);
        EXPECT_EQ(s, RWWString(c.expected.data(), c.expected.size())) << c.name;
        EXPECT_EQ(is.fail(), c.failed) << c.name;
        EXPECT_EQ(s.Data()[s.Length()], 0) << c.name;
        is.clear();
        RWWString rest;
        rest.ReadFile(is);
        EXPECT_EQ(rest, RWWString(c.rest.data(), c.rest.size())) << c.name;
    }
}

TEST(RWWStringTest, TokenWidthLimitsTheUnitsRead) {
    std::istringstream is(UnitBytes(u"abcdef"));
    is.width(3);
    RWWString s;
    is >> s;
    EXPECT_EQ(s, u"abc");
    EXPECT_EQ(is.width(), 0);
    EXPECT_TRUE(is.good());
    s.ReadFile(is);
    EXPECT_EQ(s, u"def");
}

TEST(RWWStringTest, ReadersGrowAndTrimAsDefined) {
    const std::u16string twenty(20, u'x');
    // ReadFile doubles (15 -> 16 -> 32) and keeps 12 spare; ReadToken grows
    // by the increment (15 -> 31) and keeps 11.
    std::istringstream file(UnitBytes(twenty));
    RWWString s;
    s.ReadFile(file);
    EXPECT_EQ(s.Capacity(), 32u);
    std::istringstream token(UnitBytes(twenty));
    RWWString t;
    t.ReadToken(token);
    EXPECT_EQ(t.Capacity(), 31u);
    // 40 units leave 24 of 64 spare, more than the waste allowed.
    std::istringstream longer(UnitBytes(std::u16string(40, u'y')));
    s.ReadFile(longer);
    EXPECT_EQ(s.Length(), 40u);
    EXPECT_EQ(s.Capacity(), 47u);
}

TEST(RWWStringTest, ReadersLeaveBadStreamsAndOddBytesAlone) {
    std::istringstream failed(UnitBytes(u"abc"));
    failed.setstate(std::ios::failbit);
    RWWString s(u"old");
    s.ReadLine(failed);
    EXPECT_TRUE(s.IsNull());

    std::istringstream odd(std::string("a\0b", 3)); // half a unit at the end
    s.ReadFile(odd);
    EXPECT_EQ(s, u"a");
    EXPECT_TRUE(odd.fail());
}

TEST(RWWStringTest, WriterPadsToTheWidth) {
    struct Case {
        std::streamsize width;
        bool left;
        std::u16string expected;
    };
    const Case cases[] = {{5, false, u"**abc"}, {5, true, u"abc**"}, {2, false, u"abc"}, {0, false, u"abc"}};
    for (const Case& c : cases) {
        std::ostringstream os;
        os.fill('*');
        if (c.left) os.setf(std::ios::left, std::ios::adjustfield);
        os.width(c.width);
        os << RWWString(u"abc");
        EXPECT_EQ(os.str(), UnitBytes(c.expected)) << c.width;
        EXPECT_EQ(os.width(), 0);
    }
}

// ---- persistence

TEST(RWWStringTest, SaveOnWritesLengthThenUnits) {
    std::stringbuf binary;
    {
        RWBinaryOutStream out(&binary);
        RWWString(u"abc").SaveOn(out);
    }
    EXPECT_EQ(Raw(binary.str()), (std::vector<unsigned char>{3, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0}));

    std::stringbuf portable;
    {
        RWPortableOutStream out(&portable);
        RWWString(u"a\u20AC").SaveOn(out);
        out.flush();
    }
    EXPECT_EQ(portable.str(), "2\n97\n8364\n");

    const qvtest::TempFile temp("RWWStringTest.bin");
    const std::string path = temp.Path();
    {
        RWBinaryFile file(path.c_str(), "wb+");
        ASSERT_TRUE(file.IsValid());
        EXPECT_TRUE(RWWString(u"a\u20AC").SaveOn(file));
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char bytes[16];
    const size_t n = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + n),
              (std::vector<unsigned char>{2, 0, 0, 0, 'a', 0, 0xAC, 0x20}));

    RWBinaryFile file(path.c_str(), "rb");
    RWWString restored;
    EXPECT_TRUE(restored.RestoreFrom(file));
    EXPECT_EQ(restored, u"a\u20AC");
}

TEST(RWWStringTest, RestoreReadsBackEveryEncoding) {
    std::u16string longText;
    for (int i = 0; i < 5000; ++i)
        longText.push_back(static_cast<char16_t>(0x20 + i));
    const RWWString texts[] = {RWWString(), RWWString(u"abc"), RWWString(u"\0\uFFFF\xD800", 3),
                               RWWString(longText.data(), longText.size())};
    for (const RWWString& text : texts) {
        std::stringbuf binary, endian, portable;
        {
            RWBinaryOutStream b(&binary);
            RWEndianOutStream e(&endian, 1); // big-endian
            RWPortableOutStream p(&portable);
            text.SaveOn(b);
            text.SaveOn(e);
            text.SaveOn(p);
            p.flush();
        }
        RWBinaryInStream b(&binary);
        RWEndianInStream e(&endian);
        RWPortableInStream p(&portable);
        RWVirtualInStream* streams[] = {&b, &e, &p};
        for (RWVirtualInStream* in : streams) {
            RWWString restored(u"old contents");
            restored.RestoreFrom(*in);
            EXPECT_TRUE(in->good());
            EXPECT_EQ(restored, text);
        }
    }
}

TEST(RWWStringTest, RestoreStopsOnShortInput) {
    const std::string cases[] = {
        std::string("\xFF\xFF\xFF\xFF"
                    "a\0b\0",
                    8),                     // a length far beyond the data
        std::string("\x03\0\0\0a\0b\0", 8), // one unit missing
        std::string("\x03\0", 2),           // half a length
    };
    for (const std::string& bytes : cases) {
        std::stringbuf buffer(bytes);
        RWBinaryInStream in(&buffer);
        RWWString s(u"old contents");
        s.RestoreFrom(in);
        EXPECT_TRUE(in.fail());
        EXPECT_TRUE(s.IsNull());
    }

    const qvtest::TempFile temp("RWWStringTestShort.bin");
    const std::string path = temp.Path();
    for (const std::string& bytes : cases) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        RWBinaryFile file(path.c_str(), "rb");
        RWWString s(u"old contents");
        EXPECT_FALSE(s.RestoreFrom(file));
        EXPECT_TRUE(s.IsNull());
    }
}

TEST(RWWStringTest, ALongTokenGrowsGeometricallyAndEndsWithTheIncrementCapacity) {
    // A 2 MB token: growing by 16 units at a time copied it over and over;
    // now it grows geometrically and still ends with the capacity growing
    // by the increment gives: 15 + 16 * 62,500 for a million units.
    const std::u16string units(1000000, u'z');
    std::istringstream token(UnitBytes(units + u" next"));
    RWWString t;
    t.ReadToken(token);
    EXPECT_EQ(t.Length(), 1000000u);
    EXPECT_EQ(t.Capacity(), 1000015u);
    EXPECT_EQ(std::u16string(t.Data(), t.Length()), units);
    RWWString next;
    next.ReadToken(token);
    EXPECT_EQ(next, u"next");
}
