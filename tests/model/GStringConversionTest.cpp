#include <gtest/gtest.h>

#include <string>

#include "model/GStringConversion.h"
#include "winapi/WinKernel.h"
#include "winapi/host/WinHostProcess.h"

namespace {

class GStringConversionTest : public ::testing::Test {
protected:
    void SetUp() override { SetAnsiCodePageForHost(1252); }
    void TearDown() override { SetAnsiCodePageForHost(1252); }
};

std::u16string Units(const RWWString& s) {
    return std::u16string(s.Data(), s.Length());
}
std::string Bytes(const RWCString& s) {
    return std::string(s.Data(), s.Length());
}

} // namespace

TEST_F(GStringConversionTest, ConvertsBothWaysThroughTheAnsiCodePage) {
    struct Case {
        const char* what;
        std::string narrow;
        std::u16string wide;
    };
    const Case cases[] = {
        {"ASCII", "Letter A4 ~!", u"Letter A4 ~!"},
        {"e acute", "caf\xE9", u"caf\u00E9"},
        {"euro sign", "\x80 5", u"\u20AC 5"},
        {"empty", "", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RWWString wide(u"junk");
        EXPECT_EQ(ConvertNarrowToWide(RWCString(c.narrow.data(), c.narrow.size()), wide), 1);
        EXPECT_EQ(Units(wide), c.wide);
        RWCString narrow("junk");
        EXPECT_EQ(ConvertWideToNarrow(RWWString(c.wide.data(), c.wide.size()), narrow), 1);
        EXPECT_EQ(Bytes(narrow), c.narrow);
    }
}

TEST_F(GStringConversionTest, AsciiTextIsCopiedUnitByUnit) {
    // Embedded 0 units are kept: the low byte of every unit is taken.
    const char16_t units[] = {u'a', 0, u'b'};
    RWCString narrow;
    EXPECT_EQ(ConvertWideToNarrow(RWWString(units, 3), narrow), 1);
    EXPECT_EQ(Bytes(narrow), std::string("a\0b", 3));
}

TEST_F(GStringConversionTest, AFailedConversionReportsZeroAndLeavesNothing) {
    RWCString narrow("junk");
    EXPECT_EQ(ConvertWideToNarrow(RWWString(u"\u4E2D"), narrow), 0); // no such character in 1252
    EXPECT_EQ(narrow.Length(), 0u);

    // Every byte decodes in 1252; in 932 a lead byte without its trail byte does not.
    SetAnsiCodePageForHost(932);
    RWWString wide(u"junk");
    EXPECT_EQ(ConvertNarrowToWide(RWCString("a\x81"), wide), 0);
    EXPECT_EQ(wide.Length(), 0u);
}

TEST_F(GStringConversionTest, CopyWideStringSharesTheText) {
    const RWWString source(u"shared");
    RWWString out(u"old");
    EXPECT_EQ(CopyWideString(source, out), 1);
    EXPECT_EQ(out.Rep(), source.Rep());
    EXPECT_EQ(Units(out), u"shared");
}
