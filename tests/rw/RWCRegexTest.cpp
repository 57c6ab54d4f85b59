#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "rw/RWCRegex.h"
#include "rw/RWCString.h"
#include "rw/RWCSubString.h"
#include "rw/RWDefs.h"
#include "rw/RWLibraryError.h"

namespace {
struct MatchCase {
    const char* pattern;
    std::string text;
    size_t start;
    size_t at;     // RW_NPOS when there is no match
    size_t length; // 0 when there is no match
};

class RWCRegexMatchTest : public testing::TestWithParam<MatchCase> {};
} // namespace

TEST_P(RWCRegexMatchTest, FindsTheLeftmostLongestMatch) {
    const MatchCase& c = GetParam();
    RWCRegex re(c.pattern);
    ASSERT_EQ(re.Status(), RWCRegex::OK);
    const RWCString text(c.text.data(), c.text.size());
    size_t length = 99;
    EXPECT_EQ(re.Index(text, &length, c.start), c.at);
    EXPECT_EQ(length, c.length);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RWCRegexMatchTest,
    testing::Values(
        // Repetitions, greedy.
        MatchCase{"ab*c", "ac", 0, 0, 2}, MatchCase{"ab*c", "xabbbc", 0, 1, 5},
        MatchCase{"ab+c", "ac", 0, RW_NPOS, 0}, MatchCase{"ab+c", "abbc", 0, 0, 4},
        MatchCase{"ab?c", "abc", 0, 0, 3}, MatchCase{"ab?c", "ac", 0, 0, 2},
        MatchCase{"ab?c", "abbc", 0, RW_NPOS, 0}, MatchCase{"a.*b", "a1b2b3", 0, 0, 5},
        MatchCase{"x*", "abc", 0, 0, 0},
        // "+" never backs off below one occurrence.
        MatchCase{"ab+bc", "abc", 0, RW_NPOS, 0}, MatchCase{"ab+bc", "abbc", 0, 0, 4},
        // An item repeated before the same item applies to the later one.
        MatchCase{"a*a", "aaa", 0, 0, 3}, MatchCase{"ba?a", "ba", 0, 0, 2}, MatchCase{"a*a*", "aa", 0, 0, 2},
        MatchCase{"[ab]*[ab]", "abab", 0, 0, 4},
        // Anchors.
        MatchCase{"^a", "ab", 0, 0, 1}, MatchCase{"^a", "ba", 0, RW_NPOS, 0},
        MatchCase{"^a", "ba", 1, 1, 1}, // the searched string begins at the start position
        MatchCase{"a$", "aba", 0, 2, 1}, MatchCase{"a$", "ab", 0, RW_NPOS, 0},
        MatchCase{"a$b", "xa$b", 0, 1, 3}, MatchCase{"b^", "ab^", 0, 1, 2},
        // "." stops at a newline.
        MatchCase{"a.c", "a\nc", 0, RW_NPOS, 0}, MatchCase{"a.c", "a\tc", 0, 0, 3},
        // Classes: negation, ranges in either order, escapes and "-" as a member.
        MatchCase{"[^0-9]", "123x5", 0, 3, 1}, MatchCase{"[z-a]+", "09abz!", 0, 2, 3},
        MatchCase{"[a-z]+", "09abz!", 0, 2, 3}, MatchCase{"[-x]+", "a-x-b", 0, 1, 3},
        MatchCase{"[x-]+", "a-x-b", 0, 1, 3}, MatchCase{"[\\]]", "a]", 0, 1, 1},
        // Escapes.
        MatchCase{"\\x41", "zA", 0, 1, 1}, MatchCase{"\\101", "zA", 0, 1, 1},
        MatchCase{"\\^A", std::string("z\x01", 2), 0, 1, 1},
        MatchCase{"\\^a", std::string("z\x01", 2), 0, 1, 1}, MatchCase{"\\t\\N\\s", "x\t\n ", 0, 1, 3},
        MatchCase{"\\x", "ax", 0, 1, 1}, MatchCase{"\\xg", "xg", 0, 0, 2}, MatchCase{"\\.", "a.", 0, 1, 1},
        MatchCase{"a\\", "a\\", 0, 0, 2}, MatchCase{"\\0", std::string("a\0", 2), 0, 1, 1},
        // Start positions.
        MatchCase{"b", "abab", 2, 3, 1}, MatchCase{"b*", "ab", 2, 2, 0}, MatchCase{"b", "ab", 3, RW_NPOS, 0}),
    // Names that stay the same from build to build: the case's place in the
    // table and its pattern's letters and digits.
    [](const testing::TestParamInfo<MatchCase>& info) {
        std::string name = "Case" + std::to_string(info.index) + "_";
        for (const char* c = info.param.pattern; *c != '\0'; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST(RWCRegexTest, CompilesToTheDocumentedProgram) {
    // a*a: the repetition entry lands behind the first a.
    RWCRegex swapped("a*a");
    EXPECT_EQ(swapped.Program()[0], 'a');
    EXPECT_EQ(swapped.Program()[1], 0x802A);
    EXPECT_EQ(swapped.Program()[2], 'a');
    EXPECT_EQ(swapped.Program()[3], 0x8000);

    // ^b+.$ : start anchor, "+" in front of its item, any, end anchor.
    RWCRegex anchored("^b+.$");
    const uint16_t expected[] = {0x805E, 0x802B, 'b', 0x802E, 0x8024, 0x8000};
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(anchored.Program()[i], expected[i]) << i;

    // [0-9A] : the class entry and its 256-bit set: bits 48..57 (word 3,
    // bits 0..9) and 65 (word 4, bit 1).
    RWCRegex digits("[0-9A]");
    EXPECT_EQ(digits.Program()[0], 0x805B);
    for (size_t w = 0; w < 16; ++w) {
        const uint16_t word = w == 3 ? 0x03FF : w == 4 ? 0x0002 : 0;
        EXPECT_EQ(digits.Program()[1 + w], word) << w;
    }
    EXPECT_EQ(digits.Program()[17], 0x8000);
}

TEST(RWCRegexTest, BadPatternsGiveTheirStatus) {
    const struct {
        std::string pattern;
        RWCRegex::StatusType status;
    } cases[] = {
        {"", RWCRegex::ILLEGAL},
        {"*a", RWCRegex::ILLEGAL},
        {"+a", RWCRegex::ILLEGAL},
        {"?a", RWCRegex::ILLEGAL},
        {"a[bc", RWCRegex::ILLEGAL},
        {"a**", RWCRegex::TOOLONG},
        {"a+?", RWCRegex::TOOLONG},
        {"^*", RWCRegex::TOOLONG},
        {"a$*", RWCRegex::OK},
        {std::string(300, 'q'), RWCRegex::TOOLONG},
        {std::string(255, 'q'), RWCRegex::OK},
        {std::string(256, 'q'), RWCRegex::TOOLONG},
        {std::string(238, 'q') + "[a]", RWCRegex::OK},
        {std::string(239, 'q') + "[a]", RWCRegex::TOOLONG},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        RWCRegex re{RWCString(c.pattern.data(), c.pattern.size())};
        EXPECT_EQ(re.Status(), c.status);
    }
}

TEST(RWCRegexTest, InvalidPatternNeverMatchesEvenAfterItsStatusWasRead) {
    RWCRegex re("a**");
    EXPECT_EQ(re.Status(), RWCRegex::TOOLONG);
    EXPECT_EQ(re.Status(), RWCRegex::OK); // reading resets the report...
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            re.Index(RWCString("aaa"));
            ADD_FAILURE() << "matched an invalid pattern";
        } catch (const RWInternalError& error) { // ...not the validity
            EXPECT_STREQ(error.why(), "[BADRE] Attempt to use invalid regular expression");
        }
    }
    // A program left full by a failed compile still ends inside its entries.
    RWCRegex full(std::string(300, 'q').c_str());
    EXPECT_EQ(full.Program()[254], 'q');
    EXPECT_EQ(full.Program()[255], 0x8000);
    EXPECT_THROW(full.Index(RWCString(std::string(300, 'q').c_str())), RWInternalError);

    // A good pattern assigned afterwards is usable again.
    re = "a+";
    size_t length = 0;
    EXPECT_EQ(re.Index(RWCString("baa"), &length), 1u);
    EXPECT_EQ(length, 2u);
}

TEST(RWCRegexTest, CopiesKeepProgramAndStatus) {
    RWCRegex bad("[x");
    RWCRegex copy(bad);
    EXPECT_EQ(copy.Status(), RWCRegex::ILLEGAL);
    EXPECT_THROW(copy.Index(RWCString("x")), RWInternalError);
    RWCRegex good("x+");
    copy = good;
    EXPECT_EQ(copy.Index(RWCString("axx")), 1u);
}

TEST(RWCRegexTest, StringFormsUseTheExpression) {
    RWCString text("job 1234 of user");
    const RWCRegex number("[0-9]+");
    EXPECT_EQ(text.Index(number), 4u);
    size_t length = 0;
    EXPECT_EQ(text.Index(number, &length, 5), 5u);
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(RWCString(text.SubString(number)), RWCString("1234"));
    EXPECT_TRUE(text.SubString(RWCRegex("x")).IsNull());
    text.SubString(number) = "#";
    EXPECT_EQ(text, RWCString("job # of user"));
    EXPECT_EQ(text.Index("of"), 6u); // the text search is still there
}
