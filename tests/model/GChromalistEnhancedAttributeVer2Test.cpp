#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "driver/GSettingsCodec.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"

using namespace modeltest;

namespace {

class GChromalistEnhancedAttributeVer2Test : public ::testing::Test {
protected:
    void SetUp() override { GAddToFactory<GChromalistEnhancedAttributeVer2>(); }
};

constexpr uint8_t kUntouched = 0xEE;

struct Cell {
    int32_t kind;
    int32_t field;
    int32_t result;
    uint8_t value; // kUntouched: the output is left as it was
};

// Every stored cell set to a code of its own: (k, f) -> 10k + f + 1 for
// fields 0, 1, 3 of kinds 0..2; field 2 (one for all kinds) set through
// kind 0: 3.
GChromalistEnhancedAttributeVer2 Numbered(uint32_t id) {
    GChromalistEnhancedAttributeVer2 attribute(id);
    for (int32_t kind = 0; kind < 3; ++kind) {
        for (int32_t field : {0, 1, 3}) {
            EXPECT_EQ(attribute.SetOption(kind, field, static_cast<uint8_t>(10 * kind + field + 1)), 1);
        }
    }
    EXPECT_EQ(attribute.SetOption(0, 2, 3), 1);
    return attribute;
}

// The codes of Numbered in record order: field0[0], field1[0], field3[0],
// field0[1], field1[1], field3[1], field0[2], field1[2], field3[2], field2.
const std::string kNumberedCodes("\x01\x02\x04\x0B\x0C\x0E\x15\x16\x18\x03", 10);

} // namespace

TEST_F(GChromalistEnhancedAttributeVer2Test, DefaultsAndConstructorOrder) {
    const GChromalistEnhancedAttributeVer2 defaults(295);
    const Cell defaultCells[] = {{0, 0, 1, 70},  {1, 0, 1, 80}, {2, 0, 1, 91},  {0, 1, 1, 41},
                                 {1, 1, 1, 51},  {2, 1, 1, 61}, {0, 3, 1, 100}, {1, 3, 1, 103},
                                 {2, 3, 1, 106}, {3, 2, 1, 95}, {0, 2, 1, 95}};
    for (const Cell& c : defaultCells) {
        uint8_t value = kUntouched;
        EXPECT_EQ(defaults.GetOption(c.kind, c.field, value), c.result);
        EXPECT_EQ(value, c.value) << c.kind << "," << c.field;
    }
    EXPECT_TRUE(GChromalistEnhancedAttributeVer2().IsEqualId(
        std::make_unique<GChromalistEnhancedAttributeVer2>(0u).get()));

    const GChromalistEnhancedAttributeVer2 built(295, 1, 2, 4, 11, 12, 14, 21, 22, 24, 3);
    const GChromalistEnhancedAttributeVer2 numbered = Numbered(295);
    EXPECT_TRUE(built.IsEqualId(&numbered));
    uint8_t base = 0;
    EXPECT_EQ(static_cast<const GChromalistAttribute&>(built).GetOption(2, 0, base), 1);
    EXPECT_EQ(base, 31); // base codes: the defaults of the id
}

TEST_F(GChromalistEnhancedAttributeVer2Test, OptionCellsWithAndWithoutCodes) {
    const GChromalistEnhancedAttributeVer2 attribute(295);
    const Cell cells[] = {
        {2, 3, 1, 106},        {3, 2, 1, 95},         {1, 1, 1, 51},          {3, 0, 1, kUntouched},
        {3, 1, 1, kUntouched}, {3, 3, 1, kUntouched}, {0, 4, 1, kUntouched}, // no code
        {4, 3, 0, kUntouched}, {0, 5, 0, kUntouched}, {-1, 0, 0, kUntouched},
    };
    for (const Cell& c : cells) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " field " << c.field);
        uint8_t value = kUntouched;
        EXPECT_EQ(attribute.GetOption(c.kind, c.field, value), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(attribute.HasStoredOption(c.kind, c.field), c.result == 1 && c.value != kUntouched);

        GChromalistEnhancedAttributeVer2 target(295);
        EXPECT_EQ(target.SetOption(c.kind, c.field, 7), c.result);
        if (c.value == kUntouched) {
            EXPECT_TRUE(target.IsEqualId(&attribute)); // nothing stored anywhere
        }
    }
}

TEST_F(GChromalistEnhancedAttributeVer2Test, ComparisonsAndKinds) {
    GChromalistEnhancedAttributeVer2 a = Numbered(295);
    GChromalistEnhancedAttributeVer2 b = Numbered(296);
    EXPECT_FALSE(a.IsEqualId(&b));
    EXPECT_TRUE(a.SameOptions(&b));
    b.SetOption(1, 3, 0);
    EXPECT_FALSE(a.SameOptions(&b));
    a.AssignOptions(&b);
    EXPECT_TRUE(a.SameOptions(&b));
    EXPECT_EQ(a.GetId(), 295u);

    // An enhanced attribute with the same id is another class.
    const GChromalistEnhancedAttribute enhanced(295);
    const GChromalistEnhancedAttributeVer2 fresh(295);
    EXPECT_FALSE(fresh.IsEqualId(&enhanced));
    GChromalistEnhancedAttributeVer2 target(295);
    target.AssignOptions(&enhanced); // not of this class: nothing
    EXPECT_TRUE(target.IsEqualId(&fresh));

    for (RWClassID kind : {1201, 753, 751})
        EXPECT_TRUE(a.IsKindOf(kind)) << kind;
    EXPECT_FALSE(a.IsKindOf(792));
    EXPECT_EQ(a.GetTypeCode(), 1201u);
}

TEST_F(GChromalistEnhancedAttributeVer2Test, SavedFormIsTenShorts) {
    GChromalistEnhancedAttributeVer2 attribute = Numbered(295);
    attribute.SetSerial(7);
    BytesOut out;
    attribute.SaveGuts(out.stream);
    std::string expected = Words({1, 295, 7, 1, 1, 1});
    for (char code : kNumberedCodes)
        expected += U16(static_cast<uint8_t>(code));
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(attribute.BinaryStoreSize(), 12u + 8u + 24u);

    GChromalistEnhancedAttributeVer2 restored;
    BytesIn in(out.Bytes());
    restored.RestoreGuts(in.stream);
    EXPECT_FALSE(in.stream.fail());
    EXPECT_TRUE(restored.IsEqualId(&attribute));

    BytesIn other(Words({1, 295, 7, 1, 1, 2}) + std::string(20, '\0'));
    GChromalistEnhancedAttributeVer2 untouched(295);
    untouched.RestoreGuts(other.stream);
    EXPECT_TRUE(other.stream.fail());
    EXPECT_TRUE(untouched.SameOptions(std::make_unique<GChromalistEnhancedAttributeVer2>(295).get()));
}

TEST_F(GChromalistEnhancedAttributeVer2Test, CompactRecordIsFifteenBytes) {
    const GChromalistEnhancedAttributeVer2 attribute = Numbered(0x0127);
    const GSettingsCodec codec(1);
    BytesOut out;
    EncodeChromalistEnhancedAttributeVer2(codec, &attribute, out.stream);
    // tag 20, version 1 (u16), id 0x0127 (u16), ten code bytes.
    const std::string expected = std::string("\x14\x01\x00\x27\x01", 5) + kNumberedCodes;
    ASSERT_EQ(out.Bytes().size(), 15u);
    EXPECT_EQ(out.Bytes(), expected);

    BytesIn in(expected.substr(1));
    std::unique_ptr<GChromalistEnhancedAttributeVer2> decoded =
        DecodeChromalistEnhancedAttributeVer2(codec, in.stream);
    ASSERT_NE(decoded, nullptr);
    EXPECT_TRUE(decoded->IsEqualId(&attribute));
    EXPECT_EQ(decoded->GetId(), 0x0127u);
    EXPECT_EQ(in.stream.get(), -1);
}

TEST_F(GChromalistEnhancedAttributeVer2Test, LongRecordAndCompactIdCut) {
    const GChromalistEnhancedAttributeVer2 attribute = Numbered(0x00012345);
    {
        const GSettingsCodec codec(0);
        BytesOut out;
        EncodeChromalistEnhancedAttributeVer2(codec, &attribute, out.stream);
        const std::string expected = std::string("\x14\x01\x00\x00\x00\x45\x23\x01\x00", 9) + kNumberedCodes;
        EXPECT_EQ(out.Bytes(), expected);
        BytesIn in(expected.substr(1));
        auto decoded = DecodeChromalistEnhancedAttributeVer2(codec, in.stream);
        ASSERT_NE(decoded, nullptr);
        EXPECT_TRUE(decoded->IsEqualId(&attribute));
    }
    {
        // Compact records keep the low 16 bits of the id.
        const GSettingsCodec codec(1);
        BytesOut out;
        EncodeChromalistEnhancedAttributeVer2(codec, &attribute, out.stream);
        EXPECT_EQ(out.Bytes(), std::string("\x14\x01\x00\x45\x23", 5) + kNumberedCodes);
        BytesIn in(out.Bytes().substr(1));
        auto decoded = DecodeChromalistEnhancedAttributeVer2(codec, in.stream);
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(decoded->GetId(), 0x2345u);
        EXPECT_TRUE(decoded->SameOptions(&attribute));
    }
}

TEST_F(GChromalistEnhancedAttributeVer2Test, DecodeRefusesUnknownVersionsAndCutRecords) {
    struct Case {
        const char* what;
        uint32_t compact;
        std::string bytes; // after the tag
        int next;          // the next byte left in the stream
    };
    const Case cases[] = {
        {"compact version 2", 1, std::string("\x02\x00\x27\x01", 4) + kNumberedCodes, 0x01},
        {"compact version 0", 1, std::string("\x00\x00\x27\x01", 4) + kNumberedCodes, 0x01},
        {"long version 0x10001", 0, std::string("\x01\x00\x01\x00\x27\x01\x00\x00", 8) + kNumberedCodes,
         0x01},
        {"nine of ten codes", 1, std::string("\x01\x00\x27\x01", 4) + kNumberedCodes.substr(0, 9), -1},
        {"empty", 1, "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BytesIn in(c.bytes);
        EXPECT_EQ(DecodeChromalistEnhancedAttributeVer2(GSettingsCodec(c.compact), in.stream), nullptr);
        in.stream.clear();
        EXPECT_EQ(in.stream.get(), c.next);
    }
}

TEST_F(GChromalistEnhancedAttributeVer2Test, GraphRoundTrip) {
    const GChromalistEnhancedAttributeVer2 attribute = Numbered(295);
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&attribute);
    BytesIn in(out.Bytes());
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->IsA(), 1201u);
    EXPECT_TRUE(restored->IsEqualId(&attribute));
}
