// The version information reader over the resource-library doubles.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "ui/framework/GVersionInfo.h"
#include "winapi/WinModule.h"

namespace {

std::u16string Text(const RWWString& text) {
    return std::u16string(text.Data(), text.Length());
}

// A query's answer is the length of the text it gave, and the text is the
// expected one.
void ExpectText(int32_t answer, const RWWString& text, const std::u16string& expected) {
    EXPECT_EQ(Text(text), expected);
    EXPECT_EQ(answer, static_cast<int32_t>(expected.size()));
}

class GVersionInfoTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterResourceLibraries(); }
};

TEST(GVersionInfoCodePages, EachCodePageHasItsNameAndOthersNone) {
    struct Case {
        uint16_t codePage;
        const char16_t* name;
    };
    const Case cases[] = {
        {0, u"7-bit ASCII"},
        {932, u"Windows, Japan (Shift - JIS X-0208)"},
        {949, u"Windows, Korea (Shift - KSC 5601)"},
        {950, u"Windows, Taiwan (GB5)"},
        {1200, u"Unicode"},
        {1250, u"Windows, Latin-2 (Eastern European)"},
        {1251, u"Windows, Cyrillic (Latin-6?)"},
        {1252, u"Windows, Multilingual"},
        {1253, u"Windows, Greek"},
        {1254, u"Windows, Turkish (Latin-5?)"},
        {1255, u"Windows, Hebrew"},
        {1256, u"Windows, Arabic"},
        {936, u""},
        {1257, u""},
        {65001, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        RWWString name(u"old");
        const int32_t answer = GVersionInfo::CodePageName(c.codePage, name);
        ExpectText(answer, name, c.name);
    }
}

TEST_F(GVersionInfoTest, AModulesTranslationNamesAndStringsAreRead) {
    HMODULE module = LoadLibraryW(kHebrewResourceLibrary);
    ASSERT_NE(module, nullptr);
    const GVersionInfo byHandle(module);
    const GVersionInfo byWidePath(kHebrewResourceLibrary);
    const GVersionInfo byNarrowPath("hebrew.dll");
    FreeLibrary(module);
    for (const GVersionInfo* info : {&byHandle, &byWidePath, &byNarrowPath}) {
        ASSERT_TRUE(info->IsValid());
        EXPECT_EQ(info->Language(), 0x040D);
        EXPECT_EQ(info->CodePage(), 1255);
        RWWString text;
        int32_t answer = info->GetLanguageName(text);
        ExpectText(answer, text, u"Hebrew");
        answer = info->GetCodePageName(text);
        ExpectText(answer, text, u"Windows, Hebrew");
        answer = info->GetStringValue(u"FileDescription", text);
        ExpectText(answer, text, u"Hebrew resources");
        answer = info->GetStringValue(u"ProductName", text);
        ExpectText(answer, text, u"");
        ASSERT_NE(info->FixedInfo(), nullptr);
        EXPECT_EQ(info->FixedInfo()->dwFileVersionMS, 0x00030001u);
    }
}

TEST_F(GVersionInfoTest, ACopyReadsItsOwnBlock) {
    auto original = std::make_unique<GVersionInfo>(kHebrewResourceLibrary);
    GVersionInfo assigned(kArabicResourceLibrary);
    assigned = *original;
    const GVersionInfo copied(*original);
    original.reset();
    for (const GVersionInfo* info : {static_cast<const GVersionInfo*>(&assigned), &copied}) {
        EXPECT_EQ(info->CodePage(), 1255);
        RWWString text;
        const int32_t answer = info->GetStringValue(u"FileVersion", text);
        ExpectText(answer, text, u"3.1");
        ASSERT_NE(info->FixedInfo(), nullptr);
        EXPECT_EQ(info->FixedInfo()->dwFileVersionLS, 0x00000002u);
    }
}

TEST_F(GVersionInfoTest, AModuleWithoutVersionInformationAnswersNothing) {
    // The Arabic build has a translation but no string table.
    const GVersionInfo arabic(kArabicResourceLibrary);
    RWWString text;
    int32_t answer = arabic.GetStringValue(u"FileDescription", text);
    ExpectText(answer, text, u"");
    answer = arabic.GetLanguageName(text);
    ExpectText(answer, text, u"Arabic (Saudi Arabia)");
    for (const GVersionInfo& info :
         {GVersionInfo(u"MISSING.DLL"), GVersionInfo(static_cast<HMODULE>(nullptr)),
          GVersionInfo(static_cast<const char*>(nullptr))}) {
        EXPECT_FALSE(info.IsValid());
        EXPECT_EQ(info.CodePage(), 0);
        EXPECT_EQ(info.FixedInfo(), nullptr);
        answer = info.GetLanguageName(text);
        ExpectText(answer, text, u"");
        answer = info.GetCodePageName(text); // not the name of code page 0
        ExpectText(answer, text, u"");
        answer = info.GetStringValue(u"FileVersion", text);
        ExpectText(answer, text, u"");
    }
}

} // namespace
