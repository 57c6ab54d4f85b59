#include <gtest/gtest.h>

#include <string>

#include "winapi/WinKernel.h"
#include "winapi/host/WinHostProcess.h"

namespace {
std::u16string ToWide(UINT codePage, DWORD flags, const std::string& text) {
    const int needed =
        MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(needed), u'\0');
    if (needed > 0)
        MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), needed);
    return out;
}
} // namespace

TEST(WinCodePageTest, AnsiCodePage1252MapsEveryByte) {
    struct Case {
        std::string narrow;
        std::u16string wide;
    };
    const Case cases[] = {
        {"caf\xE9", u"caf\u00E9"},
        {"\x80", u"\u20AC"},
        {"\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"}, // unassigned bytes keep their values
        {"\x9F", u"\u0178"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToWide(CP_ACP, MB_ERR_INVALID_CHARS, c.narrow), c.wide);
        char back[16] = {};
        BOOL usedDefault = TRUE;
        const int n = WideCharToMultiByte(CP_ACP, 0, c.wide.data(), static_cast<int>(c.wide.size()), back,
                                          sizeof back, nullptr, &usedDefault);
        EXPECT_EQ(std::string(back, static_cast<size_t>(n)), c.narrow);
        EXPECT_FALSE(usedDefault);
    }
}

TEST(WinCodePageTest, UnmappableAndInvalidInput) {
    BOOL usedDefault = FALSE;
    char out[8] = {};
    const char16_t sun[] = u"\u65E5";
    EXPECT_EQ(WideCharToMultiByte(1252, 0, sun, 1, out, sizeof out, nullptr, &usedDefault), 1);
    EXPECT_EQ(out[0], '?');
    EXPECT_TRUE(usedDefault);

    const char broken[] = "\xC3";
    char16_t wide[4];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, broken, 1, wide, 4), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, wide, 2), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(WinCodePageTest, LengthMinusOneIncludesTheTerminator) {
    char16_t wide[8];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "ab", -1, wide, 8), 3);
    EXPECT_EQ(wide[2], u'\0');
}

TEST(WinCodePageTest, OtherAnsiCodePages) {
    SetAnsiCodePageForHost(932);
    EXPECT_EQ(ToWide(CP_ACP, 0, "\x93\xFA"), u"\u65E5");
    SetAnsiCodePageForHost(1252);
    EXPECT_EQ(GetACP(), 1252u);
}
