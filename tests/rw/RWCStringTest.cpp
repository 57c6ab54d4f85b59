#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWCString.h"
#include "rw/RWCSubString.h"
#include "rw/RWEndianInStream.h"
#include "rw/RWEndianOutStream.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "tests/support/TempFile.h"
#include "winapi/WinKernel.h"
#include "winapi/host/WinHostProcess.h"

namespace {

std::string Bytes(const RWCString& s) {
    return std::string(s.Data(), s.Length());
}

template <typename F> std::string ErrorText(F&& f) {
    try {
        f();
    } catch (const RWBoundsError& e) {
        return e.why();
    }
    return "no RWBoundsError";
}

std::vector<unsigned char> Raw(const std::string& s) {
    return {s.begin(), s.end()};
}

} // namespace

TEST(RWCStringTest, CapacityFollowsTheAdjustmentRule) {
    EXPECT_EQ(RWCString('x').Capacity(), 15u);

    struct Case {
        size_t length;
        size_t capacityAfterOneMore;
    };
    for (const Case& c : {Case{16, 31}, Case{32, 47}, Case{1, 15}}) {
        RWCString s(std::string(c.length, 'a').c_str());
        ASSERT_EQ(s.Capacity(), c.length);
        s += "b";
        EXPECT_EQ(s.Capacity(), c.capacityAfterOneMore) << c.length;
        EXPECT_EQ(Bytes(s), std::string(c.length, 'a') + "b");
    }

    RWCString s(std::string(32, 'a').c_str());
    s.Append("bbbbbbbb"); // 40 characters
    ASSERT_EQ(s.Capacity(), 47u);
    s.Replace(0, 40, "0123456789");
    EXPECT_EQ(s.Capacity(), 15u); // 37 left unused is more than the waste allowed
    EXPECT_EQ(s, "0123456789");

    // Small shrinks and growth within the block stay in place.
    const RWCStringRep* rep = s.Rep();
    s.Remove(8);
    s.Append("abcdefg");
    EXPECT_EQ(s.Rep(), rep);
    EXPECT_EQ(s, "01234567abcdefg");
}

TEST(RWCStringTest, BoundsErrorsCarryIndexAndLength) {
    RWCString s("abcde");
    const RWCString& cs = s;
    EXPECT_EQ(ErrorText([&] { s[7]; }),
              "[INDEXERR] Illegal Index (7) for collection or string with 5 elements");
    EXPECT_EQ(ErrorText([&] { cs[5]; }),
              "[INDEXERR] Illegal Index (5) for collection or string with 5 elements");
    EXPECT_EQ(ErrorText([&] { s[RW_NPOS]; }), "[NPOSINDEX] The value RW_NPOS cannot be used as an index.");
    EXPECT_EQ(ErrorText([&] { s.Insert(6, "x"); }),
              "[INDEXERR] Illegal Index (6) for collection or string with 5 elements");
    EXPECT_EQ(ErrorText([&] { s(3, 3); }), "[SUBSTRING] Illegal substring (3, 3) from 5 element RWCString");
    RWCSubString sub = s(1, 3);
    EXPECT_EQ(ErrorText([&] { sub[3]; }),
              "[INDEXERR] Illegal Index (3) for collection or string with 3 elements");
    EXPECT_EQ(s, "abcde");
}

TEST(RWCStringTest, CopiesShareUntilOneSideChanges) {
    RWCString a("shared text");
    RWCString b(a);
    EXPECT_EQ(a.Rep(), b.Rep());
    EXPECT_EQ(a.Rep()->References(), 1u);

    b[0] = 'S';
    EXPECT_NE(a.Rep(), b.Rep());
    EXPECT_EQ(a, "shared text");
    EXPECT_EQ(b, "Shared text");
    EXPECT_EQ(a.Rep()->References(), 0u);

    // Every kind of edit leaves the other owner alone.
    const std::vector<void (*)(RWCString&)> edits = {
        [](RWCString& s) { s.Append("!"); },
        [](RWCString& s) { s.Prepend("!"); },
        [](RWCString& s) { s.Remove(0, 1); },
        [](RWCString& s) { s.ToUpper(); },
        [](RWCString& s) { s.AppendChars('x', 2); },
        [](RWCString& s) { s.PrependChars('x', 2); },
        [](RWCString& s) { s(0, 6) = "other"; },
        [](RWCString& s) { s.Resize(3); },
        [](RWCString& s) { s = "x"; },
        [](RWCString& s) { s.Clobber(100); },
    };
    for (size_t i = 0; i < edits.size(); ++i) {
        RWCString original("shared text");
        RWCString copy(original);
        edits[i](copy);
        EXPECT_EQ(original, "shared text") << "edit " << i;
        EXPECT_NE(original.Rep(), copy.Rep()) << "edit " << i;
    }
}

TEST(RWCStringTest, AssigningEmptyTextReleasesOnlySharedBlocks) {
    RWCString shared("abc");
    RWCString other(shared);
    shared = "";
    EXPECT_EQ(shared.Rep(), RWCString().Rep()); // the null representation
    EXPECT_EQ(other, "abc");

    RWCString own("abcdefghijklmnopqrstu");
    const size_t capacity = own.Capacity();
    own = "";
    EXPECT_TRUE(own.IsNull());
    EXPECT_EQ(own.Capacity(), capacity);
}

TEST(RWCStringTest, ReplaceWithOwnTextBuildsNewBlock) {
    RWCString s("abcdefghij");
    s.Capacity(31);
    const RWCStringRep* rep = s.Rep();
    s.Append(s.Data(), 3);
    EXPECT_NE(s.Rep(), rep);
    EXPECT_EQ(s, "abcdefghijabc");
    s.Insert(1, s.Data() + 10, 3);
    EXPECT_EQ(s, "aabcbcdefghijabc");
}

TEST(RWCStringTest, CharacterFillsAndResize) {
    RWCString s("abc");
    s.AppendChars('-', 2);
    EXPECT_EQ(s, "abc--");
    EXPECT_EQ(s.Capacity(), 5u); // exactly the new length
    s.PrependChars('>', 2);
    EXPECT_EQ(s, ">>abc--");
    s.Resize(9);
    EXPECT_EQ(s, ">>abc--  ");
    s.Resize(2);
    EXPECT_EQ(s, ">>");

    RWCString big{RWSize_T(40)};
    EXPECT_EQ(big.Capacity(), 40u);
    big.Clobber(10);
    EXPECT_EQ(big.Capacity(), 40u); // unshared and large enough: kept
    big = "abcdef";
    big.Clone(3);
    EXPECT_EQ(big, "abc");
    EXPECT_EQ(big.Capacity(), 3u);
}

TEST(RWCStringTest, CompareToFollowsTheTextAndStringRules) {
    struct Case {
        RWCString s;
        const char* text;
        RWCaseCompare cmp;
        int expected;
    };
    const Case cases[] = {
        {"abcd", "abc", RWExact, 1},
        {"ab", "abc", RWExact, -1},
        {"abc", "abc", RWExact, 0},
        {RWCString("ab\0c", 4), "ab", RWExact, 1}, // embedded NUL: the text ends first
        {"\xE9", "a", RWExact, -1},                // characters compare as signed
        {"ABC", "abc", RWIgnoreCase, 0},
        {"ABD", "abc", RWIgnoreCase, 1},
        {"", "", RWExact, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.s.CompareTo(c.text, c.cmp), c.expected) << c.text;

    EXPECT_EQ(RWCString("\xE9").CompareTo(RWCString("a")), 1); // strings compare unsigned bytes
    EXPECT_EQ(RWCString("ab").CompareTo(RWCString("abc")), -1);
    EXPECT_EQ(RWCString("Hello").CompareTo(RWCString("hELLO"), RWIgnoreCase), 0);
    EXPECT_TRUE(RWCString("abc") < RWCString("abd"));
    EXPECT_FALSE(RWCString("ab\0c", 4) == "ab");
    EXPECT_TRUE(RWCString("ab\0c", 4) == RWCString("ab\0c", 4));
}

TEST(RWCStringTest, IndexAndSearches) {
    const RWCString s("Hello World, hello");
    EXPECT_EQ(s.Index("hello"), 13u);
    EXPECT_EQ(s.Index("hello", 0, RWIgnoreCase), 0u);
    EXPECT_EQ(s.Index("", 4), 4u);
    EXPECT_EQ(s.Index("lo", 17), RW_NPOS); // start + n past the length
    EXPECT_EQ(s.Index("xyz"), RW_NPOS);
    EXPECT_EQ(s.First('o'), 4u);
    EXPECT_EQ(s.Last('o'), 17u);
    EXPECT_EQ(s.First(",W"), 6u);
    EXPECT_EQ(s.Rep()->First('o', 4), RW_NPOS);
    EXPECT_TRUE(s.Contains("WORLD", RWIgnoreCase));

    const RWCString nul("ab\0ab", 5);
    EXPECT_EQ(nul.Rep()->Last('a'), 0u); // C strrchr stops at the NUL
    EXPECT_EQ(nul.Last('a'), 3u);        // the whole length
    EXPECT_EQ(nul.Index("b", 2), 4u);
}

TEST(RWCStringTest, SubstringsReadAndWriteInPlace) {
    RWCString s("hello world");
    s(6, 5) = "there!";
    EXPECT_EQ(s, "hello there!");

    RWCSubString found = s.SubString("THERE", 0, RWIgnoreCase);
    EXPECT_EQ(found.Start(), 6u);
    found.ToUpper();
    EXPECT_EQ(s, "hello THERE!");

    RWCSubString missing = s.SubString("zzz");
    EXPECT_TRUE(missing.IsNull());
    missing = "ignored";
    EXPECT_EQ(s, "hello THERE!");
    EXPECT_TRUE(missing == "");
    EXPECT_TRUE(missing == RWCString());
    EXPECT_TRUE(missing == s.SubString("qqq"));
    EXPECT_FALSE(missing == "x");

    EXPECT_TRUE(s(0, 5) == "hello");
    EXPECT_FALSE(s(0, 5) == "hell");
    EXPECT_TRUE(s(0, 5) == RWCString("hello"));
    s(0, 1) = s(6, 5); // text taken from the same string
    EXPECT_EQ(s, "THEREello THERE!");
}

TEST(RWCStringTest, StripLeavesNullWhenNothingRemains) {
    RWCString blanks("   ");
    RWCSubString stripped = blanks.Strip(RWBoth);
    EXPECT_TRUE(stripped.IsNull());
    RWCString fromNull(stripped);
    EXPECT_EQ(fromNull.Length(), 0u);

    RWCString s("xxabcxx");
    EXPECT_EQ(RWCString(s.Strip(RWLeading, 'x')), "abcxx");
    EXPECT_EQ(RWCString(s.Strip(RWTrailing, 'x')), "xxabc");
    EXPECT_EQ(RWCString(s.Strip(RWBoth, 'x')), "abc");
}

TEST(RWCStringTest, HashesFoldTheCharactersAsDefined) {
    // h = 5; rotl(h,5) ^ 0x64636261 ("abcd"); rotl(h,5) ^ 0x65 ("e")
    EXPECT_EQ(RWCString("abcde").Hash(), 0x8C6C5849u);
    // One tail byte 0xFF taken as signed: rotl(1,5) ^ 0xFFFFFFFF
    EXPECT_EQ(RWCString("\xFF").Hash(), 0xFFFFFFDFu);
    // Tail 0x80 0x01: v = 0xFFFFFF80, then (v << 8) | 1 = 0xFFFF8001; rotl(2,5) ^ v
    EXPECT_EQ(RWCString("\x80\x01").Hash(), 0xFFFF8041u);
    // Folded: h = 2; rotl(h,5) ^ 'A'; rotl(h,5) ^ 'B'
    EXPECT_EQ(RWCString("aB").Hash(RWIgnoreCase), 0x62u);
    EXPECT_EQ(RWCString("Ab").Hash(RWIgnoreCase), 0x62u);
    EXPECT_EQ(RWCString::Hash(RWCString("abcde")), 0x8C6C5849u);
}

TEST(RWCStringTest, CaseMappingIsAsciiOnly) {
    RWCString s("Mixed \xC9t\xE9 123");
    EXPECT_EQ(Bytes(ToUpper(s)), "MIXED \xC9T\xE9 123");
    EXPECT_EQ(Bytes(ToLower(s)), "mixed \xC9t\xE9 123");
    EXPECT_EQ(s, "Mixed \xC9t\xE9 123");
    EXPECT_TRUE(RWCString("plain").IsAscii());
    EXPECT_FALSE(s.IsAscii());
}

TEST(RWCStringTest, ConcatenationAndCollation) {
    const RWCString a("abc");
    EXPECT_EQ(a + "def", "abcdef");
    EXPECT_EQ("xy" + a, "xyabc");
    EXPECT_EQ(a + a, "abcabc");
    EXPECT_EQ((a + static_cast<const char*>(nullptr)).Capacity(), 15u);
    EXPECT_LT(a.Collate("abd"), 0);
    EXPECT_EQ(a.CollationKey(), "abc");
}

TEST(RWCStringTest, MbLengthCountsAnsiCharacters) {
    EXPECT_EQ(RWCString("caf\xE9").MbLength(), 4u);
    EXPECT_EQ(RWCString("ab\0cd", 5).MbLength(), 2u); // stops at the NUL
    const UINT previous = GetACP();
    SetAnsiCodePageForHost(932);
    EXPECT_EQ(RWCString("a\x82\xA0z").MbLength(), 3u); // one double-byte character
    EXPECT_EQ(RWCString("a\x82").MbLength(), RW_NPOS); // a lead byte without its trail
    SetAnsiCodePageForHost(previous);
}

// ---- persistence

TEST(RWCStringTest, SaveOnWritesLengthThenTheStreamsString) {
    struct Case {
        const char* name;
        std::vector<unsigned char> expected;
    };
    std::stringbuf binary;
    {
        RWBinaryOutStream out(&binary);
        RWCString("abc").SaveOn(out);
        EXPECT_TRUE(out.good());
    }
    EXPECT_EQ(Raw(binary.str()), (std::vector<unsigned char>{0x03, 0, 0, 0, 0x03, 0, 0, 0, 'a', 'b', 'c'}));

    std::stringbuf portable;
    {
        RWPortableOutStream out(&portable);
        RWCString("abc").SaveOn(out);
        out.flush();
    }
    EXPECT_EQ(portable.str(), "3\n\"abc\"");

    const qvtest::TempFile temp("RWCStringTest.bin");
    const std::string path = temp.Path();
    {
        RWBinaryFile file(path.c_str(), "wb+");
        ASSERT_TRUE(file.IsValid());
        EXPECT_TRUE(RWCString("abc").SaveOn(file));
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    unsigned char bytes[16];
    const size_t n = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + n),
              (std::vector<unsigned char>{3, 0, 0, 0, 'a', 'b', 'c'}));
}

TEST(RWCStringTest, RestoreReadsBackEveryEncoding) {
    const RWCString texts[] = {RWCString(), RWCString("abc"), RWCString("with\0nul \"quoted\" {}\xFF", 21),
                               RWCString(std::string(300, 'z').c_str())};
    for (const RWCString& text : texts) {
        std::stringbuf binary, endian, portable;
        {
            RWBinaryOutStream b(&binary);
            RWEndianOutStream e(&endian);
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
            RWCString restored("old contents");
            restored.RestoreFrom(*in);
            EXPECT_TRUE(in->good());
            EXPECT_EQ(restored, text);
        }
    }
}

TEST(RWCStringTest, RestoreRejectsLengthsTheInputCannotHold) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"huge length", std::string("\xFF\xFF\xFF\xFF\x03\0\0\0abc", 11)},
        {"short characters", std::string("\x05\0\0\0\x05\0\0\0ab", 10)},
        {"no characters", std::string("\x02\0\0\0", 4)},
        {"short length", std::string("\x02\0", 2)},
    };
    for (const Case& c : cases) {
        std::stringbuf buffer(c.bytes);
        RWBinaryInStream in(&buffer);
        RWCString s("old contents");
        s.RestoreFrom(in);
        EXPECT_TRUE(in.fail()) << c.name;
        EXPECT_TRUE(s.IsNull()) << c.name;
        EXPECT_EQ(s.Data()[0], '\0') << c.name;
    }
}

TEST(RWCStringTest, FileRestoreStopsOnShortFiles) {
    const qvtest::TempFile temp("RWCStringTestShort.bin");
    const std::string path = temp.Path();
    const struct {
        std::string bytes;
        bool ok;
        const char* expected;
    } cases[] = {
        {std::string("\x03\0\0\0abc", 7), true, "abc"},
        {std::string("\xFF\xFF\xFF\x7F"
                     "abc",
                     7),
         false, ""},
        {std::string("\x03\0", 2), false, ""},
    };
    for (const auto& c : cases) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(c.bytes.data(), 1, c.bytes.size(), f);
        std::fclose(f);
        RWBinaryFile file(path.c_str(), "rb");
        RWCString s("old");
        EXPECT_EQ(s.RestoreFrom(file), c.ok);
        EXPECT_EQ(s, c.expected);
    }
}

TEST(RWCStringTest, CopiesOnManyThreadsKeepTheCountExact) {
    const RWCString original("shared between threads");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&original] {
            for (int i = 0; i < 20000; ++i) {
                RWCString copy(original);
                RWCString other;
                other = copy;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(original.Rep()->References(), 0u); // the original is the only owner again
    EXPECT_EQ(original, "shared between threads");
}
