#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "driver/GSettingsCodec.h"
#include "model/GChromalistEnhancedAttribute.h"

using namespace modeltest;

namespace {

class GChromalistEnhancedAttributeTest : public ::testing::Test {
protected:
    void SetUp() override { GAddToFactory<GChromalistEnhancedAttribute>(); }
};

constexpr uint8_t kUntouched = 0xEE;

struct Cell {
    int32_t kind;
    int32_t field;
    int32_t result;
    uint8_t value; // kUntouched: the output is left as it was
};

// Every stored cell set to a code of its own: (k, f) -> 10k + f + 1; field 2
// is set through kind 0 (3) and field 3 through kind 0 (4).
GChromalistEnhancedAttribute Numbered(uint32_t id) {
    GChromalistEnhancedAttribute attribute(id);
    for (int32_t kind = 0; kind < 3; ++kind) {
        for (int32_t field = 0; field < 2; ++field) {
            EXPECT_EQ(attribute.SetOption(kind, field, static_cast<uint8_t>(10 * kind + field + 1)), 1);
        }
    }
    EXPECT_EQ(attribute.SetOption(0, 2, 3), 1);
    EXPECT_EQ(attribute.SetOption(0, 3, 4), 1);
    return attribute;
}

} // namespace

TEST_F(GChromalistEnhancedAttributeTest, DefaultsAndConstructorOrder) {
    const GChromalistEnhancedAttribute defaults(295);
    const Cell defaultCells[] = {{0, 0, 1, 70}, {1, 0, 1, 80}, {2, 0, 1, 91}, {0, 1, 1, 41},
                                 {1, 1, 1, 51}, {2, 1, 1, 61}, {3, 2, 1, 95}, {3, 3, 1, 98}};
    for (const Cell& c : defaultCells) {
        uint8_t value = kUntouched;
        EXPECT_EQ(defaults.GetOption(c.kind, c.field, value), c.result);
        EXPECT_EQ(value, c.value) << c.kind << "," << c.field;
    }
    // Default construction gives the id-0 codes, base codes included.
    const GChromalistEnhancedAttribute made;
    EXPECT_TRUE(made.IsEqualId(std::make_unique<GChromalistEnhancedAttribute>(0u).get()));
    uint8_t base = 0;
    EXPECT_EQ(static_cast<const GChromalistAttribute&>(made).GetOption(0, 0, base), 1);
    EXPECT_EQ(base, 15);

    // (id, field0[0], field1[0], field0[1], field1[1], field0[2], field1[2], field2, field3)
    const GChromalistEnhancedAttribute built(227, 1, 2, 3, 4, 5, 6, 7, 8);
    const Cell builtCells[] = {{0, 0, 1, 1}, {0, 1, 1, 2}, {1, 0, 1, 3}, {1, 1, 1, 4},
                               {2, 0, 1, 5}, {2, 1, 1, 6}, {1, 2, 1, 7}, {2, 3, 1, 8}};
    for (const Cell& c : builtCells) {
        uint8_t value = kUntouched;
        EXPECT_EQ(built.GetOption(c.kind, c.field, value), c.result);
        EXPECT_EQ(value, c.value) << c.kind << "," << c.field;
    }
    // The base codes take the defaults of the id.
    EXPECT_EQ(static_cast<const GChromalistAttribute&>(built).GetOption(0, 0, base), 1);
    EXPECT_EQ(base, 16);
}

TEST_F(GChromalistEnhancedAttributeTest, OptionCellsWithAndWithoutCodes) {
    const GChromalistEnhancedAttribute attribute(295);
    const Cell cells[] = {
        {0, 0, 1, 70},         {2, 1, 1, 61},         {1, 2, 1, 95},          {0, 3, 1, 98},
        {3, 3, 1, 98},         {3, 0, 1, kUntouched}, {3, 1, 1, kUntouched},  {0, 4, 1, kUntouched},
        {3, 4, 1, kUntouched}, // no code
        {4, 0, 0, kUntouched}, {0, 5, 0, kUntouched}, {-1, 2, 0, kUntouched}, {1, -1, 0, kUntouched},
    };
    for (const Cell& c : cells) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " field " << c.field);
        uint8_t value = kUntouched;
        EXPECT_EQ(attribute.GetOption(c.kind, c.field, value), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(attribute.HasStoredOption(c.kind, c.field), c.result == 1 && c.value != kUntouched);

        GChromalistEnhancedAttribute target(295);
        EXPECT_EQ(target.SetOption(c.kind, c.field, 7), c.result);
        if (c.value == kUntouched) {
            EXPECT_TRUE(target.IsEqualId(&attribute)); // nothing stored anywhere
            uint8_t base = 0;
            static_cast<const GChromalistAttribute&>(target).GetOption(0, 0, base);
            EXPECT_EQ(base, 15);
        }
    }
}

TEST_F(GChromalistEnhancedAttributeTest, OwnCodesOnlyThroughOwnAccessors) {
    GChromalistEnhancedAttribute attribute(295);
    GChromalistAttribute& asBase = attribute;
    uint8_t value = 0;
    EXPECT_EQ(asBase.GetOption(0, 0, value), 1);
    EXPECT_EQ(value, 15);                        // the base code, not field0[0]
    EXPECT_EQ(asBase.GetOption(3, 0, value), 0); // kind 3 is the derived class's range only
    EXPECT_EQ(asBase.SetOption(0, 0, 1), 1);

    // Equality and SameOptions look at the own codes only.
    const GChromalistEnhancedAttribute fresh(295);
    EXPECT_TRUE(attribute.IsEqualId(&fresh));
    EXPECT_TRUE(attribute.SameOptions(&fresh));
    attribute.SetOption(3, 3, 1);
    EXPECT_FALSE(attribute.IsEqualId(&fresh));

    GChromalistEnhancedAttribute target(500);
    target.AssignOptions(&attribute);
    EXPECT_TRUE(target.SameOptions(&attribute));
    EXPECT_FALSE(target.IsEqualId(&attribute)); // ids differ
    EXPECT_EQ(target.GetId(), 500u);

    for (RWClassID kind : {797, 753, 751})
        EXPECT_TRUE(attribute.IsKindOf(kind)) << kind;
    EXPECT_FALSE(attribute.IsKindOf(792));
    EXPECT_EQ(attribute.GetTypeCode(), 797u);
}

TEST_F(GChromalistEnhancedAttributeTest, SavedFormSkipsTheBaseCodes) {
    GChromalistEnhancedAttribute attribute = Numbered(295);
    attribute.SetSerial(7);
    BytesOut out;
    attribute.SaveGuts(out.stream);
    // Root, attribute part, version 1, then field0[0], field1[0], field0[1],
    // field1[1], field0[2], field1[2], field2, field3.
    const std::string expected = Words({1, 295, 7, 1, 1, 1}) + U16(1) + U16(2) + U16(11) + U16(12) + U16(21) +
                                 U16(22) + U16(3) + U16(4);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(attribute.BinaryStoreSize(), 12u + 8u + 20u);

    // A restored object keeps the base codes it was made with.
    GChromalistEnhancedAttribute restored(227);
    BytesIn in(out.Bytes());
    restored.RestoreGuts(in.stream);
    EXPECT_FALSE(in.stream.fail());
    EXPECT_TRUE(restored.IsEqualId(&attribute));
    uint8_t base = 0;
    static_cast<const GChromalistAttribute&>(restored).GetOption(0, 0, base);
    EXPECT_EQ(base, 16);

    BytesIn cut(Words({1, 295, 7, 1, 1, 1}) + U16(1));
    GChromalistEnhancedAttribute untouched(295);
    untouched.RestoreGuts(cut.stream);
    EXPECT_TRUE(cut.stream.fail());
    EXPECT_TRUE(untouched.IsEqualId(std::make_unique<GChromalistEnhancedAttribute>(295).get()));
}

TEST_F(GChromalistEnhancedAttributeTest, CodecRecordBytesByMode) {
    const GChromalistEnhancedAttribute attribute = Numbered(0x0127);
    const std::string codes = "\x01\x02\x0B\x0C\x15\x16\x03\x04";
    struct Case {
        const char* what;
        uint32_t compact;
        std::string bytes;
    };
    const Case cases[] = {
        {"compact", 1, std::string("\x13\x01\x00\x27\x01", 5) + codes},
        {"long words", 0, std::string("\x13\x01\x00\x00\x00\x27\x01\x00\x00", 9) + codes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GSettingsCodec codec(c.compact);
        BytesOut out;
        EncodeChromalistEnhancedAttribute(codec, &attribute, out.stream);
        EXPECT_EQ(out.Bytes(), c.bytes);

        BytesIn in(c.bytes.substr(1)); // the codec has read the tag
        std::unique_ptr<GChromalistEnhancedAttribute> decoded =
            DecodeChromalistEnhancedAttribute(codec, in.stream);
        ASSERT_NE(decoded, nullptr);
        EXPECT_TRUE(decoded->IsEqualId(&attribute));
        EXPECT_EQ(in.stream.get(), -1); // the whole record was read
    }

    BytesOut nothing;
    EncodeChromalistEnhancedAttribute(GSettingsCodec(1), nullptr, nothing.stream);
    EXPECT_EQ(nothing.Bytes(), "");
}

TEST_F(GChromalistEnhancedAttributeTest, DecodeRefusesOtherVersionsAndCutRecords) {
    const GSettingsCodec compact(1);
    {
        // Version 2: only the header (version and id) is read.
        BytesIn in(std::string("\x02\x00\x27\x01\x01\x02", 6));
        EXPECT_EQ(DecodeChromalistEnhancedAttribute(compact, in.stream), nullptr);
        EXPECT_EQ(in.stream.get(), 0x01);
    }
    {
        BytesIn in(std::string("\x01\x00\x27\x01\x01\x02\x03", 7)); // three of eight codes
        EXPECT_EQ(DecodeChromalistEnhancedAttribute(compact, in.stream), nullptr);
    }
    {
        BytesIn in(std::string("\x01\x00", 2)); // no id
        EXPECT_EQ(DecodeChromalistEnhancedAttribute(compact, in.stream), nullptr);
    }
}

TEST_F(GChromalistEnhancedAttributeTest, GraphRoundTrip) {
    const GChromalistEnhancedAttribute attribute = Numbered(295);
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&attribute);
    BytesIn in(out.Bytes());
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->IsA(), 797u);
    EXPECT_TRUE(restored->IsEqualId(&attribute));
}
