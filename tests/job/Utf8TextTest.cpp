// UTF-8 decoding by the well-formedness table (with the encoder beside it
// for the way back), and the printer's name-character table read from the
// bytes of its setting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "job/ConvertUtf16ToUtf8.h"
#include "job/ConvertUtf8ToUtf16.h"
#include "job/NameCharacterTable.h"

namespace {

struct Decoded {
    int32_t result;
    std::u16string text;
    size_t consumed;
};

Decoded Decode(const std::vector<uint8_t>& bytes, size_t room = 16) {
    std::vector<WCHAR> units(room);
    const uint8_t* source = bytes.data();
    WCHAR* target = units.data();
    const int32_t result =
        ConvertUtf8ToUtf16(&source, bytes.data() + bytes.size(), &target, units.data() + room);
    return {result, std::u16string(units.data(), static_cast<size_t>(target - units.data())),
            static_cast<size_t>(source - bytes.data())};
}

TEST(ConvertUtf8ToUtf16Test, TakesWellFormedSequencesAtTheTableEdges) {
    struct Case {
        std::vector<uint8_t> bytes;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {{0x41, 0x7F}, u"A\u007F"},
        {{0xC2, 0x80}, u"\u0080"},
        {{0xDF, 0xBF}, u"\u07FF"},
        {{0xE0, 0xA0, 0x80}, u"\u0800"},
        {{0xED, 0x9F, 0xBF}, u"\uD7FF"},
        {{0xEE, 0x80, 0x80}, u"\uE000"},
        {{0xEF, 0xBF, 0xBF}, u"\uFFFF"},
        {{0xF0, 0x90, 0x80, 0x80}, u"\U00010000"},
        {{0xF4, 0x8F, 0xBF, 0xBF}, u"\U0010FFFF"},
        {{0x47, 0x72, 0xC3, 0xBC, 0xC3, 0x9F, 0x65}, u"Gr\u00fc\u00dfe"},
    };
    for (const Case& c : cases) {
        const Decoded decoded = Decode(c.bytes);
        EXPECT_EQ(decoded.result, kUtf8Done);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.consumed, c.bytes.size());
    }
}

TEST(ConvertUtf8ToUtf16Test, RefusesIllFormedSequencesAndKeepsWhatCameBefore) {
    struct Case {
        std::vector<uint8_t> bytes;
        int32_t result;
    };
    const std::vector<Case> cases = {
        {{0xC0, 0x80}, kUtf8SourceIllegal},             // overlong NUL
        {{0xC1, 0xBF}, kUtf8SourceIllegal},             // overlong
        {{0xE0, 0x80, 0x80}, kUtf8SourceIllegal},       // overlong three bytes
        {{0xE0, 0x9F, 0xBF}, kUtf8SourceIllegal},       // overlong three bytes
        {{0xED, 0xA0, 0x80}, kUtf8SourceIllegal},       // a surrogate
        {{0xF0, 0x80, 0x80, 0x80}, kUtf8SourceIllegal}, // overlong four bytes
        {{0xF4, 0x90, 0x80, 0x80}, kUtf8SourceIllegal}, // above 0x10FFFF
        {{0xF5, 0x80, 0x80, 0x80}, kUtf8SourceIllegal},
        {{0xF5}, kUtf8SourceIllegal},
        {{0xFF}, kUtf8SourceIllegal},
        {{0x80}, kUtf8SourceIllegal},             // a continuation byte first
        {{0xC3, 0x41}, kUtf8SourceIllegal},       // the sequence broken off
        {{0xE2, 0x82, 0x41}, kUtf8SourceIllegal}, // the sequence broken off
        {{0xE2, 0x82}, kUtf8SourceExhausted},     // the source ends inside it
        {{0xF0, 0x90, 0x80}, kUtf8SourceExhausted},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = {0x4F, 0x4B};
        bytes.insert(bytes.end(), c.bytes.begin(), c.bytes.end());
        const Decoded decoded = Decode(bytes);
        EXPECT_EQ(decoded.result, c.result) << int(c.bytes[0]);
        EXPECT_EQ(decoded.text, u"OK");
        EXPECT_EQ(decoded.consumed, 2u);
    }
}

TEST(ConvertUtf8ToUtf16Test, ACharacterThatDoesNotFitStaysInTheSource) {
    const Decoded pair = Decode({0x41, 0xF0, 0x9F, 0x98, 0x80}, 2);
    EXPECT_EQ(pair.result, kUtf8TargetFull);
    EXPECT_EQ(pair.text, u"A");
    EXPECT_EQ(pair.consumed, 1u);
}

TEST(ConvertUtf8ToUtf16Test, EncodedTextDecodesToItself) {
    const std::u16string text = u"Gr\u00fc\u00dfe \u20ac \U0001F600 \uFFFD";
    std::vector<uint8_t> bytes(text.size() * 3);
    const WCHAR* source = text.data();
    uint8_t* target = bytes.data();
    ASSERT_EQ(ConvertUtf16ToUtf8(&source, text.data() + text.size(), &target, bytes.data() + bytes.size(), 1),
              kUtf8Done);
    bytes.resize(static_cast<size_t>(target - bytes.data()));
    const Decoded decoded = Decode(bytes, 32);
    EXPECT_EQ(decoded.result, kUtf8Done);
    EXPECT_EQ(decoded.text, text);
}

// The setting's bytes: a leading word, then the segment list, little-endian.
std::string SettingBytes(const std::vector<uint16_t>& words) {
    std::string bytes;
    for (uint16_t word : words) {
        bytes += static_cast<char>(word & 0xFF);
        bytes += static_cast<char>(word >> 8);
    }
    return bytes;
}

TEST(NameCharacterTableTest, ReadsTheSegmentListAfterTheLeadingWord) {
    // Letters only, with a leading word that would be a segment count.
    const std::string bytes = SettingBytes({6, 4, 4, 1, 0, 0x5A, 0x7A, 0, 0x41, 0x61});
    const NameCharacterTable table(bytes.data(), bytes.size());
    ASSERT_TRUE(table.Exists());
    EXPECT_EQ(table.Words(), (std::vector<uint16_t>{4, 4, 1, 0, 0x5A, 0x7A, 0, 0x41, 0x61}));
    for (const auto& [character, allowed] : std::vector<std::pair<char16_t, int32_t>>{
             {u'A', 1}, {u'Z', 1}, {u'a', 1}, {u'z', 1}, {u'0', 0}, {u'[', 0}, {u'~', 0}, {0xE9, 0}}) {
        EXPECT_EQ(table.Allows(character), allowed) << int(character);
    }
}

TEST(NameCharacterTableTest, AMalformedOrCutTableIsAbsent) {
    const std::vector<uint16_t> good = {0, 4, 4, 1, 0, 0x7E, 0xFFFF, 0, 0x20, 0xFFFF};
    std::vector<std::string> tables = {std::string(), SettingBytes({0}), SettingBytes({0, 0, 0, 0, 0})};
    const std::string whole = SettingBytes(good);
    tables.push_back(whole.substr(0, whole.size() - 1)); // the last start code cut
    std::vector<uint16_t> odd = good;
    odd[1] = 5;
    tables.push_back(SettingBytes(odd));
    std::vector<uint16_t> huge = good;
    huge[1] = 0xFFFE;
    tables.push_back(SettingBytes(huge));
    for (const std::string& bytes : tables) {
        const NameCharacterTable table(bytes.data(), bytes.size());
        EXPECT_FALSE(table.Exists()) << bytes.size();
        EXPECT_EQ(table.Allows(u'A'), 0);
    }
    EXPECT_FALSE(NameCharacterTable(nullptr, 20).Exists());
    EXPECT_TRUE(NameCharacterTable(whole.data(), whole.size()).Exists());
}

} // namespace
