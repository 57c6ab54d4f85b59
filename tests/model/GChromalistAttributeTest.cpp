#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "pipeline/GPeripheral.h"

using namespace modeltest;

namespace {

class GChromalistAttributeTest : public ::testing::Test {
protected:
    void SetUp() override { GAddToFactory<GChromalistAttribute>(); }
};

class SilentDevice : public GPeripheral {
public:
    RWCollectable* NewSpecies() const override { return nullptr; }
    RWCollectable* Copy() const override { return nullptr; }
    RWClassID IsA() const override { return 0x7E71; }
    uint16_t OnValueAttribute(GValueAttribute&) override { return ++calls, 5; }
    uint16_t OnStringAttribute(GStringAttribute&) override { return ++calls, 5; }
    uint16_t OnEnumAttribute(GEnumAttribute&) override { return ++calls, 5; }
    uint16_t OnRangeAttribute(GRangeAttribute&) override { return ++calls, 5; }
    uint16_t Apply(GPeripheral&) override { return 0; }
    int calls = 0;
};

// What GetOption leaves in an output that starts as this value.
constexpr uint8_t kUntouched = 0xEE;

struct Cell {
    int32_t kind;
    int32_t field;
    int32_t result;
    uint8_t value; // kUntouched: the output is left as it was
};

} // namespace

TEST_F(GChromalistAttributeTest, DefaultCodesDependOnTheId) {
    struct Case {
        const char* what;
        GChromalistAttribute attribute;
        uint8_t field0[3];
    };
    const Case cases[] = {
        {"id 227", GChromalistAttribute(227), {16, 22, 32}},
        {"id 295", GChromalistAttribute(295), {15, 21, 31}},
        {"id 0", GChromalistAttribute(0u), {15, 21, 31}},
        {"default constructed", GChromalistAttribute(), {15, 21, 31}},
    };
    const uint8_t field1[3] = {40, 50, 62};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int32_t kind = 0; kind < 3; ++kind) {
            uint8_t value = 0;
            EXPECT_EQ(c.attribute.GetOption(kind, 0, value), 1);
            EXPECT_EQ(value, c.field0[kind]) << kind;
            EXPECT_EQ(c.attribute.GetOption(kind, 1, value), 1);
            EXPECT_EQ(value, field1[kind]) << kind;
        }
        EXPECT_EQ(c.attribute.GetChanged(), 1u);
    }
    EXPECT_TRUE(GChromalistAttribute().IsEqualId(std::make_unique<GChromalistAttribute>(0u).get()));
}

TEST_F(GChromalistAttributeTest, SixCodeConstructorTakesKindOrder) {
    const GChromalistAttribute attribute(9, 1, 2, 3, 4, 5, 6);
    const Cell cells[] = {{0, 0, 1, 1}, {0, 1, 1, 2}, {1, 0, 1, 3}, {1, 1, 1, 4}, {2, 0, 1, 5}, {2, 1, 1, 6}};
    for (const Cell& c : cells) {
        uint8_t value = kUntouched;
        EXPECT_EQ(attribute.GetOption(c.kind, c.field, value), c.result);
        EXPECT_EQ(value, c.value) << c.kind << "," << c.field;
    }
    EXPECT_EQ(attribute.GetId(), 9u);
}

TEST_F(GChromalistAttributeTest, OptionCellsAcceptOnlyTheirRange) {
    const GChromalistAttribute attribute(295);
    const Cell cells[] = {
        {0, 0, 1, 15},          {1, 1, 1, 50},          {2, 0, 1, 31},
        {2, 1, 1, 62},          {0, 2, 1, kUntouched},  {2, 2, 1, kUntouched}, // no code
        {3, 0, 0, kUntouched},  {3, 2, 0, kUntouched},  {0, 3, 0, kUntouched},
        {0, 4, 0, kUntouched}, // out of range
        {-1, 0, 0, kUntouched}, {0, -1, 0, kUntouched}, {0x7FFFFFFF, 0, 0, kUntouched},
    };
    for (const Cell& c : cells) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " field " << c.field);
        uint8_t value = kUntouched;
        EXPECT_EQ(attribute.GetOption(c.kind, c.field, value), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(attribute.HasStoredOption(c.kind, c.field), c.result == 1 && c.value != kUntouched);

        GChromalistAttribute target(295);
        const int32_t expectedSet = c.result;
        EXPECT_EQ(target.SetOption(c.kind, c.field, 7), expectedSet);
        if (c.value == kUntouched) {
            EXPECT_TRUE(target.IsEqualId(&attribute)); // nothing stored anywhere
        } else {
            uint8_t read = 0;
            target.GetOption(c.kind, c.field, read);
            EXPECT_EQ(read, 7);
        }
    }
}

TEST_F(GChromalistAttributeTest, EqualitySameOptionsAndAssignOptions) {
    GChromalistAttribute a(295, 1, 2, 3, 4, 5, 6);
    GChromalistAttribute sameCodes(295, 1, 2, 3, 4, 5, 6);
    GChromalistAttribute otherId(296, 1, 2, 3, 4, 5, 6);
    GChromalistAttribute otherCode(295, 1, 2, 3, 4, 5, 7);
    sameCodes.SetChanged(0);
    sameCodes.SetSerial(a.GetSerial() + 100);

    EXPECT_TRUE(a.IsEqualId(&sameCodes)); // changed and serial are not compared
    EXPECT_FALSE(a.IsEqualId(&otherId));
    EXPECT_FALSE(a.IsEqualId(&otherCode));
    EXPECT_TRUE(a.SameOptions(&otherId)); // the id is not compared
    EXPECT_FALSE(a.SameOptions(&otherCode));
    EXPECT_FALSE(a.IsEqualId(nullptr));
    EXPECT_FALSE(a.SameOptions(nullptr));

    // Another class with the same base codes is never equal.
    GChromalistEnhancedAttribute enhanced(295);
    GChromalistAttribute defaults(295);
    EXPECT_FALSE(defaults.IsEqualId(&enhanced));
    EXPECT_FALSE(defaults.SameOptions(&enhanced));

    otherCode.AssignOptions(&otherId);
    EXPECT_TRUE(otherCode.IsEqualId(&a));
    EXPECT_EQ(otherCode.GetId(), 295u); // only codes are copied
    otherCode.AssignOptions(nullptr);
    otherCode.AssignOptions(&otherCode);
    EXPECT_TRUE(otherCode.IsEqualId(&a));

    SilentDevice device;
    EXPECT_EQ(a.Apply(device), 0u);
    EXPECT_EQ(device.calls, 0);
    for (RWClassID kind : {792, 753, 751})
        EXPECT_TRUE(a.IsKindOf(kind)) << kind;
    EXPECT_FALSE(a.IsKindOf(797));
    EXPECT_EQ(a.GetTypeCode(), 792u);
}

TEST_F(GChromalistAttributeTest, SavedFormIsSixShortsInKindOrder) {
    GChromalistAttribute attribute(295, 1, 2, 3, 200, 5, 6);
    attribute.SetSerial(7);
    BytesOut out;
    attribute.SaveGuts(out.stream);
    const std::string expected =
        Words({1, 295, 7, 1, 1, 1}) + U16(1) + U16(2) + U16(3) + U16(200) + U16(5) + U16(6);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(attribute.BinaryStoreSize(), 12u + 8u + 16u);
}

TEST_F(GChromalistAttributeTest, RestoreTakesTheLowByteAndRefusesOtherVersions) {
    {
        GChromalistAttribute attribute(295);
        BytesIn in(Words({1, 227, 7, 1, 0, 1}) + U16(0x0101) + U16(2) + U16(3) + U16(4) + U16(5) +
                   U16(0xFF06));
        attribute.RestoreGuts(in.stream);
        EXPECT_FALSE(in.stream.fail());
        EXPECT_TRUE(attribute.IsEqualId(std::make_unique<GChromalistAttribute>(227, 1, 2, 3, 4, 5, 6).get()));
        EXPECT_EQ(attribute.GetChanged(), 0u);
    }
    struct Case {
        const char* what;
        std::string tail;
    };
    const Case cases[] = {
        {"version 2", U32(2) + U16(1) + U16(2) + U16(3) + U16(4) + U16(5) + U16(6)},
        {"cut after five codes", U32(1) + U16(1) + U16(2) + U16(3) + U16(4) + U16(5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GChromalistAttribute attribute(295);
        BytesIn in(Words({1, 295, 7, 1, 1}) + c.tail);
        attribute.RestoreGuts(in.stream);
        EXPECT_TRUE(in.stream.fail());
        EXPECT_TRUE(attribute.SameOptions(std::make_unique<GChromalistAttribute>(295).get())); // codes kept
    }
}

TEST_F(GChromalistAttributeTest, GraphRoundTrip) {
    GChromalistAttribute attribute(295, 9, 8, 7, 6, 5, 4);
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&attribute);
    BytesIn in(out.Bytes());
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->IsA(), 792u);
    EXPECT_TRUE(restored->IsEqualId(&attribute));
}
