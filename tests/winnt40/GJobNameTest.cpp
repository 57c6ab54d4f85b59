// The job name the job context builds for the printer: the document's file
// name without its path or application prefix, cut to 16 characters, the
// job-storage identity joined to it, checked against what the printer can
// show (its character table, or printable ASCII upper-cased), and the time
// stamp in place of a name it cannot show.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/winnt40/JobContextTestSupport.h"

namespace {

using jobcontexttest::PlatformScope;
using jobcontexttest::TestJobContext;

const std::string kStamp = "20040506070809";

// A format-4 character table covering first..last (and the closing 0xFFFF
// segment), as the printer's setting stores it (and the property sheet
// reads it): little-endian words after a leading word that is not read.
std::string CharacterTable(uint16_t first, uint16_t last) {
    const std::vector<uint16_t> words = {0xFFFF, 4, 4, 1, 0, last, 0xFFFF, 0, first, 0xFFFF};
    std::string bytes;
    for (uint16_t word : words) {
        bytes += static_cast<char>(word & 0xFF);
        bytes += static_cast<char>(word >> 8);
    }
    return bytes;
}

struct NameCase {
    std::u16string document;
    std::string name;
};

class GJobNameTest : public ::testing::Test {
protected:
    // Builds the name of document; the UTF-8 buffer is kept in utf8.
    std::string NameOf(const std::u16string& document) {
        context.SetDocument(RWWString(document.c_str()), u"LPT1:", "");
        std::memset(utf8, 0xAA, sizeof utf8);
        RWCString name;
        context.MakeJobName(name, utf8);
        return std::string(name.Data(), name.Length());
    }
    // The printer takes UTF-8 names and shows the characters first..last.
    void ShowsCharacters(uint16_t first, uint16_t last) {
        TestJobContext::Set(context.group362, 1027, 1);
        const std::string table = CharacterTable(first, last);
        context.configuration->Add(new GStringAttribute(RWCString(table.data(), table.size()), 1026));
    }

    PlatformScope scope;
    TestJobContext context;
    uint8_t utf8[GJobContext::kUtf8JobNameBytes + 1] = {};
};

TEST_F(GJobNameTest, FileNameWithoutPathOrApplicationPrefixCutTo16) {
    ShowsCharacters(0x20, 0xFF);
    const std::vector<NameCase> cases = {
        {u"C:\\Docs\\report.doc", "report.doc"},
        {u"a/b\\c", "c"},
        {u"a\\b/c", "c"},
        {u"Microsoft Word - Letter", "Letter"},
        {u"Microsoft Excel - Q3, final", "Q3, final"},
        {u"Microsoft  Word - Letter", "Microsoft  Word "}, // no prefix: two spaces
        {u"abcdefghijklmnopqrst", "abcdefghijklmnop"},
    };
    for (const NameCase& item : cases) {
        EXPECT_EQ(NameOf(item.document), item.name);
        EXPECT_EQ(context.GetJobName(), RWWString(item.name.c_str(), RWWString::Ascii));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(utf8)), item.name);
    }
}

TEST_F(GJobNameTest, UnicodeNamesGoOutAsUtf8WhenThePrinterShowsThem) {
    ShowsCharacters(0x20, 0xFF);
    EXPECT_EQ(NameOf(u"Gr\u00fc\u00dfe"), "Gr\xFC\xDF"
                                          "e"); // the ANSI code page
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(utf8)), "Gr\xC3\xBC\xC3\x9F"
                                                                "e");
    EXPECT_EQ(context.GetJobName(), RWWString(u"Gr\u00fc\u00dfe"));

    // The euro sign lies outside the table: the time stamp instead.
    EXPECT_EQ(NameOf(u"\u20ac 5"), kStamp);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(utf8)), kStamp);
}

TEST_F(GJobNameTest, NamesOutsideTheCharacterTableFallBackToTheTimeStamp) {
    ShowsCharacters(0x20, 0x7E);
    EXPECT_EQ(NameOf(u"caf\u00e9"), kStamp);
    EXPECT_EQ(context.GetJobName(), RWWString(kStamp.c_str(), RWWString::Ascii));
    EXPECT_EQ(NameOf(u"cafe"), "cafe");
}

TEST_F(GJobNameTest, AsciiNamesAreUpperCasedAndOthersFallBack) {
    const std::vector<NameCase> cases = {
        {u"C:\\Docs\\report.doc", "REPORT.DOC"},
        {u"abcdefghijklmnopqrst", "ABCDEFGHIJKLMNOP"},
        {u"a\"b", kStamp},
        {u"REPORT", kStamp}, // nothing to upper-case: not taken
        {u"\u00e9t\u00e9", kStamp},
    };
    for (const NameCase& item : cases) {
        EXPECT_EQ(NameOf(item.document), item.name);
        EXPECT_EQ(utf8[0], 0xAA); // no UTF-8 form asked for
    }
}

TEST_F(GJobNameTest, WithoutADocumentNameTheUsersNameOrTheTimeStamp) {
    EXPECT_EQ(NameOf(u""), kStamp);
    TestJobContext::SetText(context.group362, 1032, "");
    EXPECT_EQ(NameOf(u""), kStamp);
    TestJobContext::SetText(context.group362, 1032, "given");
    EXPECT_EQ(NameOf(u""), "GIVEN");

    // No time and no name the printer can show: empty.
    scope.platform->hasTime = false;
    EXPECT_EQ(NameOf(u"REPORT"), "");
    EXPECT_EQ(context.GetJobName().Length(), 0u);
}

TEST_F(GJobNameTest, JobStorageJoinsTheStoredIdentityTo13Characters) {
    TestJobContext::Set(context.group362, 1214, 1);
    TestJobContext::SetText(context.group362, 1213, "");
    EXPECT_EQ(NameOf(u"abcdefghijklmnopqrst"), "ABCDEFGHIJKLMNOP"); // no storage name
    TestJobContext::SetText(context.group362, 1213, "box");
    EXPECT_EQ(NameOf(u"abcdefghijklmnopqrst"), "ABCDEFGHIJKLM1"); // "1" when none is stored
    EXPECT_EQ(NameOf(u"short"), "SHORT1");
    scope.platform->strings[u"JobStorageUniqueID"] = u"42";
    EXPECT_EQ(NameOf(u"abcdefghijklmnopqrst"), "ABCDEFGHIJKLM42");
    scope.platform->strings[u"JobStorageUniqueID"] = u"12345";
    EXPECT_EQ(NameOf(u"abcdefghijklmnopqrst"), "ABCDEFGHIJKLM123"); // then cut at 16
    TestJobContext::Set(context.group362, 1214, 0);
    EXPECT_EQ(NameOf(u"abcdefghijklmnopqrst"), "ABCDEFGHIJKLMNOP");
}

} // namespace
