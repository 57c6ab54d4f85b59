// The text rules of the job-storage names and PIN: what typing and leaving
// a field make of a text, with and without the printer's character table,
// and the bytes a name is stored as.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "job/NameCharacterTable.h"
#include "tests/support/CharacterTableBytes.h"
#include "ui/pages/JobStorageNameFilters.h"

namespace {

using JobStorageNames::Name;

const JobStorageNames::Defaults kDefaults{u"ann", u"<Automatic>", u"Untitled", u"UNTITLED"};

// A table of the setting's layout over the segments given.
NameCharacterTable Table(const std::vector<std::pair<uint16_t, uint16_t>>& segments) {
    const std::string bytes = qvtest::CharacterTableBytes(segments);
    return NameCharacterTable(bytes.data(), bytes.size());
}

TEST(JobStorageNamesTest, PinKeepsFourDigitsAndIsPaddedWhenLeft) {
    struct Case {
        std::u16string typed;
        bool pad;
        std::u16string result;
    };
    const std::vector<Case> cases = {
        {u"1a2", false, u"12"},           {u"123", false, u"123"}, {u"123", true, u"0123"},
        {u"12345", false, u"1234"},       {u"", true, u"0000"},    {u"9 8-7", true, u"0987"},
        {u"\u0661\u0662", true, u"0000"}, // digits of another script are not 0-9
    };
    for (const Case& c : cases) {
        std::u16string text = c.typed;
        EXPECT_EQ(JobStorageNames::FilterPin(text, c.pad), c.typed != c.result);
        EXPECT_EQ(text, c.result);
    }
}

TEST(JobStorageNamesTest, ThreeCharactersAreUpperPrintableAndPadded) {
    for (const auto& [typed, result] : std::vector<std::pair<std::u16string, std::u16string>>{
             {u"ab", u"0AB"}, {u"abcd", u"ABC"}, {u"a\"b", u"00A"}, {u"x\u00e9y", u"00X"}, {u"", u"000"}}) {
        std::u16string text = typed;
        JobStorageNames::FilterThreeCharacters(text);
        EXPECT_EQ(text, result);
    }
}

TEST(JobStorageNamesTest, AsciiFilterRaisesEndsAndCuts) {
    struct Case {
        std::u16string typed;
        int kind;
        Name which;
        std::u16string result;
        bool defaulted;
    };
    const std::vector<Case> cases = {
        {u"smith", JobStorageNames::kTyping, Name::kUser, u"SMITH", false},
        {u"ab\"cd", JobStorageNames::kTyping, Name::kUser, u"AB", false},
        {u"ab\tcd", JobStorageNames::kTyping, Name::kJob, u"AB", false},
        {u"caf\u00e9", JobStorageNames::kLeaving, Name::kJob, u"CAF", false},
        {u"abcdefghijklmnopq", JobStorageNames::kTyping, Name::kJob, u"ABCDEFGHIJKLMNOP", false},
        {u"", JobStorageNames::kTaking, Name::kUser, u"", false},
        {u"", JobStorageNames::kLeaving, Name::kUser, u"ann", true},
        {u"\"quoted", JobStorageNames::kLeaving, Name::kJob, u"<Automatic>", true},
    };
    for (const Case& c : cases) {
        std::u16string text = c.typed;
        const JobStorageNames::Outcome outcome =
            JobStorageNames::FilterAsciiName(text, c.kind, c.which, kDefaults);
        EXPECT_EQ(text, c.result);
        EXPECT_EQ(outcome.defaulted, c.defaulted);
        EXPECT_EQ(outcome.changed, c.typed != c.result);
        EXPECT_FALSE(outcome.replaced);
    }
    // A Windows user name the filter would end gives "UNTITLED".
    JobStorageNames::Defaults quoted = kDefaults;
    quoted.windowsUser = u"o\"neil";
    std::u16string text;
    EXPECT_FALSE(
        JobStorageNames::FilterAsciiName(text, JobStorageNames::kLeaving, Name::kUser, quoted).defaulted);
    EXPECT_EQ(text, u"UNTITLED");
}

TEST(JobStorageNamesTest, TableFilterMarksWhatThePrinterCannotShow) {
    // Digits and upper-case letters only.
    const NameCharacterTable table = Table({{0x30, 0x39}, {0x41, 0x5A}});
    struct Case {
        std::u16string typed;
        int kind;
        Name which;
        std::u16string result;
        bool replaced;
        bool defaulted;
    };
    const std::vector<Case> cases = {
        {u"AB1", JobStorageNames::kLeaving, Name::kUser, u"AB1", false, false},
        {u"Ab1", JobStorageNames::kLeaving, Name::kUser, u"A~1", true, false},
        {u"Ab1", JobStorageNames::kTyping, Name::kUser, u"Ab1", false, false},
        {u"Ab1", JobStorageNames::kTaking, Name::kUser, u"Ab1", false, false},
        // Quotes and control characters never stay, whatever the kind.
        {u"A\"B\r", JobStorageNames::kTyping, Name::kJob, u"A~B~", true, false},
        {u"ABCDEFGHIJKLMNOPQ", JobStorageNames::kTyping, Name::kJob, u"ABCDEFGHIJKLMNOP", false, false},
        // Nothing left to show: the job's default, the Windows user name
        // (itself marked: "ann" has no upper-case letter), then "Untitled".
        {u"ab", JobStorageNames::kLeaving, Name::kJob, u"<Automatic>", true, true},
        {u"", JobStorageNames::kFillDefault, Name::kJob, u"<Automatic>", false, true},
        {u"", JobStorageNames::kTaking, Name::kUser, u"U~~~~~~~", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
        std::u16string text = c.typed;
        const JobStorageNames::Outcome outcome =
            JobStorageNames::FilterTableName(text, c.kind, c.which, kDefaults, table);
        EXPECT_EQ(text, c.result);
        EXPECT_EQ(outcome.replaced, c.replaced);
        EXPECT_EQ(outcome.defaulted, c.defaulted);
    }
}

TEST(JobStorageNamesTest, TableFilterFallsFromTheWindowsUserToUntitled) {
    const NameCharacterTable letters = Table({{0x41, 0x5A}, {0x61, 0x7A}});
    JobStorageNames::Defaults defaults = kDefaults;
    std::u16string text = u"123";
    JobStorageNames::Outcome outcome =
        JobStorageNames::FilterTableName(text, JobStorageNames::kLeaving, Name::kUser, defaults, letters);
    EXPECT_EQ(text, u"ann");
    EXPECT_TRUE(outcome.defaulted);
    defaults.windowsUser = u"42";
    text = u"123";
    outcome =
        JobStorageNames::FilterTableName(text, JobStorageNames::kLeaving, Name::kUser, defaults, letters);
    EXPECT_EQ(text, u"Untitled");
    EXPECT_FALSE(outcome.defaulted);
    EXPECT_TRUE(outcome.replaced);
    // Kind 0 fills an empty user name with the Windows user name, or
    // "Untitled" when there is none.
    defaults.windowsUser.clear();
    text.clear();
    JobStorageNames::FilterTableName(text, JobStorageNames::kFillDefault, Name::kUser, defaults, letters);
    EXPECT_EQ(text, u"Untitled");
}

TEST(JobStorageNamesTest, NamesAreStoredAsUtf8AndShownBack) {
    struct Case {
        std::u16string name;
        std::string bytes;
        std::u16string shown;
    };
    const std::vector<Case> cases = {
        {u"SMITH 42", "SMITH 42", u"SMITH 42"},
        {u"Gr\u00fc\u00dfe",
         "Gr\xC3\xBC\xC3\x9F"
         "e",
         u"Gr\u00fc\u00dfe"},
        {u"\u20ac\U0001F600", "\xE2\x82\xAC\xF0\x9F\x98\x80", u"\u20ac\U0001F600"},
        // Never stored: quotes and control characters become "~".
        {u"a\"b\nc\x7F", "a~b~c~", u"a~b~c~"},
        // An unpaired surrogate is kept as its own three bytes, which are
        // not shown back (they are not well-formed UTF-8).
        {u"ab\xD800", "ab\xED\xA0\x80", u"ab"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JobStorageNames::StoredBytes(c.name), c.bytes);
        EXPECT_EQ(JobStorageNames::ShownName(c.bytes), c.shown);
    }
    // At most 48 bytes are shown: sixteen three-byte characters.
    std::string euros;
    for (int i = 0; i < 17; ++i)
        euros += "\xE2\x82\xAC";
    EXPECT_EQ(JobStorageNames::ShownName(euros), std::u16string(16, u'\u20ac'));
}

} // namespace
