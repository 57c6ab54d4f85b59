// The text routines of the job name: UTF-16 to UTF-8 (bytes worked out from
// the encoding's bit patterns), the ASCII name check, and the coverage test
// against a format-4 character table that may come short or malformed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "job/ConvertUtf16ToUtf8.h"
#include "job/IsCharInFontTable.h"
#include "job/IsPrintableAsciiName.h"

namespace {

struct Utf8Case {
    std::u16string source;
    int strict;
    size_t capacity;
    std::vector<uint8_t> expected;
    int32_t result;
    size_t consumed;
};

TEST(ConvertUtf16ToUtf8Test, EncodesByTheStandardsBitPatterns) {
    const std::vector<Utf8Case> cases = {
        {u"A", 1, 8, {0x41}, kUtf8Done, 1},
        {u"\u00e9", 1, 8, {0xC3, 0xA9}, kUtf8Done, 1},
        {u"\u07ff", 1, 8, {0xDF, 0xBF}, kUtf8Done, 1},
        {u"\u0800", 1, 8, {0xE0, 0xA0, 0x80}, kUtf8Done, 1},
        {u"\u20ac", 1, 8, {0xE2, 0x82, 0xAC}, kUtf8Done, 1},
        {u"\uffff", 1, 8, {0xEF, 0xBF, 0xBF}, kUtf8Done, 1},
        {u"\U0001F600", 1, 8, {0xF0, 0x9F, 0x98, 0x80}, kUtf8Done, 2},
        {u"\U0010FFFF", 1, 8, {0xF4, 0x8F, 0xBF, 0xBF}, kUtf8Done, 2},
        // Unpaired surrogates: strict stops before them, lenient writes them.
        {u"a\xdc00", 1, 8, {0x61}, kUtf8SourceIllegal, 1},
        {u"a\xdc00", 0, 8, {0x61, 0xED, 0xB0, 0x80}, kUtf8Done, 2},
        {u"\xd800"
         u"A",
         1,
         8,
         {},
         kUtf8SourceIllegal,
         0},
        {u"\xd800"
         u"A",
         0,
         8,
         {0xED, 0xA0, 0x80, 0x41},
         kUtf8Done,
         2},
        {u"a\xd83d", 0, 8, {0x61}, kUtf8SourceExhausted, 1},
        // A character that does not fit stays in the source.
        {u"a\u00e9", 1, 2, {0x61}, kUtf8TargetFull, 1},
        {u"ab\U0001F600", 1, 5, {0x61, 0x62}, kUtf8TargetFull, 2},
        // A zero character is written and ends the conversion.
        {std::u16string(u"a\0b", 3), 1, 8, {0x61, 0x00}, kUtf8Done, 2},
    };
    for (const Utf8Case& item : cases) {
        std::vector<uint8_t> buffer(item.capacity + 4, 0xEE);
        const char16_t* in = item.source.data();
        uint8_t* out = buffer.data();
        const int32_t result = ConvertUtf16ToUtf8(&in, item.source.data() + item.source.size(), &out,
                                                  buffer.data() + item.capacity, item.strict);
        EXPECT_EQ(result, item.result);
        EXPECT_EQ(std::vector<uint8_t>(buffer.data(), out), item.expected);
        EXPECT_EQ(static_cast<size_t>(in - item.source.data()), item.consumed);
        for (size_t i = item.capacity; i < buffer.size(); ++i)
            EXPECT_EQ(buffer[i], 0xEE);
    }
}

TEST(ConvertUtf16ToUtf8Test, SixteenUnitsNeverPassFortyEightBytes) {
    const std::u16string name(16, u'\u20ac');
    std::vector<uint8_t> buffer(48);
    const char16_t* in = name.data();
    uint8_t* out = buffer.data();
    EXPECT_EQ(ConvertUtf16ToUtf8(&in, name.data() + name.size(), &out, buffer.data() + 48, 0), kUtf8Done);
    EXPECT_EQ(out - buffer.data(), 48);
}

struct AsciiCase {
    std::u16string name;
    int32_t result;
    std::u16string after;
};

TEST(IsPrintableAsciiNameTest, UpperCasesAndRejects) {
    const std::vector<AsciiCase> cases = {
        {u"report.doc", 1, u"REPORT.DOC"},
        {u"REPORT", 0, u"REPORT"}, // no lower-case letter
        {u"a\"b", 0, u"A\"b"},     // double quote
        {u"ab\x7f", 0, u"AB\x7f"},
        {u"ab\x1f", 0, u"AB\x1f"},
        {u"a\u00e9", 0, u"A\u00e9"},
        {std::u16string(u"a\0b", 3), 1, std::u16string(u"A\0B", 3)},
        {u"ABCDEFGHIJKLMNOp\"", 1, u"ABCDEFGHIJKLMNOP\""}, // the 17th is not looked at
    };
    for (const AsciiCase& item : cases) {
        std::u16string name = item.name;
        EXPECT_EQ(IsPrintableAsciiName(name.data(), name.size()), item.result);
        EXPECT_EQ(name, item.after);
    }
}

// Segments 0x20-0x7E, 0xA0-0xFF and the closing 0xFFFF.
const std::vector<uint16_t> kTable = {6, 4, 1, 2, 0x7E, 0xFF, 0xFFFF, 0, 0x20, 0xA0, 0xFFFF};

TEST(IsCharInFontTableTest, FindsTheSegment) {
    const std::vector<std::pair<char16_t, int32_t>> cases = {
        {u' ', 1}, {u'A', 1}, {u'~', 1}, {0x1F, 0},  {0x7F, 0},   {0x9F, 0},
        {0xA0, 1}, {0xE9, 1}, {0xFF, 1}, {0x100, 0}, {0xFFFE, 0}, {0xFFFF, 1},
    };
    for (const auto& [character, expected] : cases) {
        EXPECT_EQ(IsCharInFontTable(character, kTable.data(), kTable.size()), expected) << int(character);
    }
}

TEST(IsCharInFontTableTest, MalformedTablesCoverNothing) {
    std::vector<uint16_t> shortTable(kTable.begin(), kTable.end() - 1);
    std::vector<uint16_t> oddCount = kTable;
    oddCount[0] = 5;
    std::vector<uint16_t> hugeCount = kTable;
    hugeCount[0] = 0xFFFE;
    std::vector<uint16_t> empty = {0, 0, 0, 0, 0};
    for (const std::vector<uint16_t>* table : {&shortTable, &oddCount, &hugeCount, &empty}) {
        EXPECT_EQ(IsCharInFontTable(u'A', table->data(), table->size()), 0);
    }
    EXPECT_EQ(IsCharInFontTable(u'A', kTable.data(), 3), 0);
    EXPECT_EQ(IsCharInFontTable(u'A', nullptr, 11), 0);
}

TEST(IsCharInFontTableTest, TextTestsSixteenCharactersUpToAZero) {
    const std::u16string covered = u"Caf\u00e9 du monde";
    EXPECT_EQ(AreCharsInFontTable(covered.data(), covered.size(), kTable.data(), kTable.size()), 1);
    const std::u16string uncovered = u"Ab\u0100";
    EXPECT_EQ(AreCharsInFontTable(uncovered.data(), uncovered.size(), kTable.data(), kTable.size()), 0);
    const std::u16string late = u"ABCDEFGHIJKLMNOP\u0100";
    EXPECT_EQ(AreCharsInFontTable(late.data(), late.size(), kTable.data(), kTable.size()), 1);
    const std::u16string zero(u"AB\0\u0100", 4);
    EXPECT_EQ(AreCharsInFontTable(zero.data(), zero.size(), kTable.data(), kTable.size()), 1);
}

} // namespace
