// Both enhanced colour-control classes, one suite: each case runs on both,
// with the tables of the class it runs on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "driver/GSettingsCodec.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "tests/model/ModelTestObjects.h"

using namespace modeltest;

namespace {

constexpr uint8_t kUntouched = 0xEE;

struct Cell {
    int32_t kind;
    int32_t field;
    int32_t result;
    uint8_t value; // kUntouched: the output is left as it was
};

// A cell with a code and a cell that has none, for changes.
struct CellRef {
    int32_t kind;
    int32_t field;
};

// GChromalistEnhancedAttribute (797): codes field0[0], field1[0],
// field0[1], field1[1], field0[2], field1[2], field2, field3.
struct Enhanced {
    using Attribute = GChromalistEnhancedAttribute;
    using Other = GChromalistEnhancedAttributeVer2;
    static constexpr RWClassID kClass = 797;
    static constexpr uint8_t kTag = 0x13;
    static constexpr uint32_t kStoreSize = 12u + 8u + 20u;

    // Every stored cell set to a code of its own: (k, f) -> 10k + f + 1;
    // field 2 is set through kind 0 (3) and field 3 through kind 0 (4).
    static Attribute Numbered(uint32_t id) {
        Attribute attribute(id);
        for (int32_t kind = 0; kind < 3; ++kind) {
            for (int32_t field = 0; field < 2; ++field) {
                EXPECT_EQ(attribute.SetOption(kind, field, static_cast<uint8_t>(10 * kind + field + 1)), 1);
            }
        }
        EXPECT_EQ(attribute.SetOption(0, 2, 3), 1);
        EXPECT_EQ(attribute.SetOption(0, 3, 4), 1);
        return attribute;
    }
    static std::string NumberedCodes() { return std::string("\x01\x02\x0B\x0C\x15\x16\x03\x04", 8); }
    static Attribute NumberedByConstructor(uint32_t id) { return Attribute(id, 1, 2, 11, 12, 21, 22, 3, 4); }

    static std::vector<Cell> DefaultCells() {
        return {{0, 0, 1, 70}, {1, 0, 1, 80}, {2, 0, 1, 91}, {0, 1, 1, 41},
                {1, 1, 1, 51}, {2, 1, 1, 61}, {3, 2, 1, 95}, {3, 3, 1, 98}};
    }
    // (id, field0[0], field1[0], field0[1], field1[1], field0[2], field1[2], field2, field3)
    static constexpr uint32_t kBuiltId = 227;
    static Attribute Built() { return Attribute(kBuiltId, 1, 2, 3, 4, 5, 6, 7, 8); }
    static std::vector<Cell> BuiltCells() {
        return {{0, 0, 1, 1}, {0, 1, 1, 2}, {1, 0, 1, 3}, {1, 1, 1, 4},
                {2, 0, 1, 5}, {2, 1, 1, 6}, {1, 2, 1, 7}, {2, 3, 1, 8}};
    }
    // The base code the built object keeps: the defaults of its id.
    static constexpr CellRef kBuiltBaseCell = {0, 0};
    static constexpr uint8_t kBuiltBaseCode = 16;

    static std::vector<Cell> OptionCells() {
        return {
            {0, 0, 1, 70},         {2, 1, 1, 61},         {1, 2, 1, 95},          {0, 3, 1, 98},
            {3, 3, 1, 98},         {3, 0, 1, kUntouched}, {3, 1, 1, kUntouched},  {0, 4, 1, kUntouched},
            {3, 4, 1, kUntouched}, // no code
            {4, 0, 0, kUntouched}, {0, 5, 0, kUntouched}, {-1, 2, 0, kUntouched}, {1, -1, 0, kUntouched},
        };
    }
    // A stored cell whose change is seen by the comparisons.
    static constexpr CellRef kStoredCell = {3, 3};

    static void Encode(const GSettingsCodec& codec, const Attribute* object, RWVirtualOutStream& stream) {
        EncodeChromalistEnhancedAttribute(codec, object, stream);
    }
    static std::unique_ptr<Attribute> Decode(const GSettingsCodec& codec, RWVirtualInStream& stream) {
        return DecodeChromalistEnhancedAttribute(codec, stream);
    }
};

// GChromalistEnhancedAttributeVer2 (1201): codes field0[0], field1[0],
// field3[0], field0[1], field1[1], field3[1], field0[2], field1[2],
// field3[2], field2.
struct Ver2 {
    using Attribute = GChromalistEnhancedAttributeVer2;
    using Other = GChromalistEnhancedAttribute;
    static constexpr RWClassID kClass = 1201;
    static constexpr uint8_t kTag = 0x14;
    static constexpr uint32_t kStoreSize = 12u + 8u + 24u;

    // Every stored cell set to a code of its own: (k, f) -> 10k + f + 1 for
    // fields 0, 1, 3 of kinds 0..2; field 2 (one for all kinds) set through
    // kind 0: 3.
    static Attribute Numbered(uint32_t id) {
        Attribute attribute(id);
        for (int32_t kind = 0; kind < 3; ++kind) {
            for (int32_t field : {0, 1, 3}) {
                EXPECT_EQ(attribute.SetOption(kind, field, static_cast<uint8_t>(10 * kind + field + 1)), 1);
            }
        }
        EXPECT_EQ(attribute.SetOption(0, 2, 3), 1);
        return attribute;
    }
    static std::string NumberedCodes() { return std::string("\x01\x02\x04\x0B\x0C\x0E\x15\x16\x18\x03", 10); }
    static Attribute NumberedByConstructor(uint32_t id) {
        return Attribute(id, 1, 2, 4, 11, 12, 14, 21, 22, 24, 3);
    }

    static std::vector<Cell> DefaultCells() {
        return {{0, 0, 1, 70},  {1, 0, 1, 80},  {2, 0, 1, 91},  {0, 1, 1, 41}, {1, 1, 1, 51}, {2, 1, 1, 61},
                {0, 3, 1, 100}, {1, 3, 1, 103}, {2, 3, 1, 106}, {3, 2, 1, 95}, {0, 2, 1, 95}};
    }
    static constexpr uint32_t kBuiltId = 295;
    static Attribute Built() { return Attribute(kBuiltId, 1, 2, 4, 11, 12, 14, 21, 22, 24, 3); }
    static std::vector<Cell> BuiltCells() {
        return {{0, 0, 1, 1},  {0, 1, 1, 2},  {0, 3, 1, 4},  {1, 0, 1, 11}, {1, 1, 1, 12},
                {1, 3, 1, 14}, {2, 0, 1, 21}, {2, 1, 1, 22}, {2, 3, 1, 24}, {3, 2, 1, 3}};
    }
    static constexpr CellRef kBuiltBaseCell = {2, 0};
    static constexpr uint8_t kBuiltBaseCode = 31;

    static std::vector<Cell> OptionCells() {
        return {
            {2, 3, 1, 106},        {3, 2, 1, 95},         {1, 1, 1, 51},          {3, 0, 1, kUntouched},
            {3, 1, 1, kUntouched}, {3, 3, 1, kUntouched}, {0, 4, 1, kUntouched}, // no code
            {4, 3, 0, kUntouched}, {0, 5, 0, kUntouched}, {-1, 0, 0, kUntouched},
        };
    }
    static constexpr CellRef kStoredCell = {1, 3};

    static void Encode(const GSettingsCodec& codec, const Attribute* object, RWVirtualOutStream& stream) {
        EncodeChromalistEnhancedAttributeVer2(codec, object, stream);
    }
    static std::unique_ptr<Attribute> Decode(const GSettingsCodec& codec, RWVirtualInStream& stream) {
        return DecodeChromalistEnhancedAttributeVer2(codec, stream);
    }
};

template <typename Traits> class GChromalistEnhancedAttributeTest : public ::testing::Test {
protected:
    using Attribute = typename Traits::Attribute;
    void SetUp() override { GAddToFactory<Attribute>(); }

    static void ExpectCells(const Attribute& attribute, const std::vector<Cell>& cells) {
        for (const Cell& c : cells) {
            uint8_t value = kUntouched;
            EXPECT_EQ(attribute.GetOption(c.kind, c.field, value), c.result);
            EXPECT_EQ(value, c.value) << c.kind << "," << c.field;
        }
    }
    static uint8_t BaseCode(const Attribute& attribute, CellRef cell) {
        uint8_t base = 0;
        EXPECT_EQ(static_cast<const GChromalistAttribute&>(attribute).GetOption(cell.kind, cell.field, base),
                  1);
        return base;
    }
};

using Classes = ::testing::Types<Enhanced, Ver2>;
class ClassNames {
public:
    template <typename T> static std::string GetName(int) {
        return std::is_same_v<T, Enhanced> ? "Enhanced" : "Ver2";
    }
};
TYPED_TEST_SUITE(GChromalistEnhancedAttributeTest, Classes, ClassNames);

} // namespace

TYPED_TEST(GChromalistEnhancedAttributeTest, DefaultsAndConstructorOrder) {
    using T = TypeParam;
    using A = typename T::Attribute;
    this->ExpectCells(A(295), T::DefaultCells());

    // Default construction gives the id-0 codes, base codes included.
    const A made;
    EXPECT_TRUE(made.IsEqualId(std::make_unique<A>(0u).get()));
    EXPECT_EQ(this->BaseCode(made, {0, 0}), 15);

    // The constructor takes the codes in record order; the base codes take
    // the defaults of the id.
    const A built = T::Built();
    this->ExpectCells(built, T::BuiltCells());
    EXPECT_EQ(this->BaseCode(built, T::kBuiltBaseCell), T::kBuiltBaseCode);
}

TYPED_TEST(GChromalistEnhancedAttributeTest, NumberedCodesMatchTheConstructor) {
    using T = TypeParam;
    const typename T::Attribute numbered = T::Numbered(295);
    EXPECT_TRUE(T::NumberedByConstructor(295).IsEqualId(&numbered));
}

TYPED_TEST(GChromalistEnhancedAttributeTest, OptionCellsWithAndWithoutCodes) {
    using T = TypeParam;
    using A = typename T::Attribute;
    const A attribute(295);
    for (const Cell& c : T::OptionCells()) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " field " << c.field);
        uint8_t value = kUntouched;
        EXPECT_EQ(attribute.GetOption(c.kind, c.field, value), c.result);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(attribute.HasStoredOption(c.kind, c.field), c.result == 1 && c.value != kUntouched);

        A target(295);
        EXPECT_EQ(target.SetOption(c.kind, c.field, 7), c.result);
        if (c.value == kUntouched) {
            EXPECT_TRUE(target.IsEqualId(&attribute)); // nothing stored anywhere
            EXPECT_EQ(this->BaseCode(target, {0, 0}), 15);
        }
    }
}

TYPED_TEST(GChromalistEnhancedAttributeTest, OwnCodesOnlyThroughOwnAccessors) {
    using T = TypeParam;
    using A = typename T::Attribute;
    A attribute(295);
    GChromalistAttribute& asBase = attribute;
    uint8_t value = 0;
    EXPECT_EQ(asBase.GetOption(0, 0, value), 1);
    EXPECT_EQ(value, 15);                        // the base code, not field0[0]
    EXPECT_EQ(asBase.GetOption(3, 0, value), 0); // kind 3 is the derived class's range only
    EXPECT_EQ(asBase.SetOption(0, 0, 1), 1);

    // Equality and SameOptions look at the own codes only.
    const A fresh(295);
    EXPECT_TRUE(attribute.IsEqualId(&fresh));
    EXPECT_TRUE(attribute.SameOptions(&fresh));
    attribute.SetOption(T::kStoredCell.kind, T::kStoredCell.field, 1);
    EXPECT_FALSE(attribute.IsEqualId(&fresh));

    A target(500);
    target.AssignOptions(&attribute);
    EXPECT_TRUE(target.SameOptions(&attribute));
    EXPECT_FALSE(target.IsEqualId(&attribute)); // ids differ
    EXPECT_EQ(target.GetId(), 500u);
}

TYPED_TEST(GChromalistEnhancedAttributeTest, ComparisonsAndKinds) {
    using T = TypeParam;
    using A = typename T::Attribute;
    A a = T::Numbered(295);
    A b = T::Numbered(296);
    EXPECT_FALSE(a.IsEqualId(&b));
    EXPECT_TRUE(a.SameOptions(&b));
    b.SetOption(T::kStoredCell.kind, T::kStoredCell.field, 0);
    EXPECT_FALSE(a.SameOptions(&b));
    a.AssignOptions(&b);
    EXPECT_TRUE(a.SameOptions(&b));
    EXPECT_EQ(a.GetId(), 295u);

    // The other enhanced class with the same id is another class.
    const typename T::Other other(295);
    const A fresh(295);
    EXPECT_FALSE(fresh.IsEqualId(&other));
    EXPECT_FALSE(fresh.SameOptions(&other));
    A target(295);
    target.AssignOptions(&other); // not of this class: nothing
    EXPECT_TRUE(target.IsEqualId(&fresh));

    for (RWClassID kind : {T::kClass, RWClassID{753}, RWClassID{751}})
        EXPECT_TRUE(a.IsKindOf(kind)) << kind;
    EXPECT_FALSE(a.IsKindOf(792));
    EXPECT_EQ(a.GetTypeCode(), T::kClass);
}

TYPED_TEST(GChromalistEnhancedAttributeTest, SavedFormSkipsTheBaseCodes) {
    using T = TypeParam;
    using A = typename T::Attribute;
    A attribute = T::Numbered(295);
    attribute.SetSerial(7);
    BytesOut out;
    attribute.SaveGuts(out.stream);
    // Root, attribute part, version 1, then the own codes in record order.
    std::string expected = Words({1, 295, 7, 1, 1, 1});
    for (char code : T::NumberedCodes())
        expected += U16(static_cast<uint8_t>(code));
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(attribute.BinaryStoreSize(), T::kStoreSize);

    // A restored object keeps the base codes it was made with.
    A restored(227);
    BytesIn in(out.Bytes());
    restored.RestoreGuts(in.stream);
    EXPECT_FALSE(in.stream.fail());
    EXPECT_TRUE(restored.IsEqualId(&attribute));
    EXPECT_EQ(this->BaseCode(restored, {0, 0}), 16);

    A fromDefault;
    BytesIn again(out.Bytes());
    fromDefault.RestoreGuts(again.stream);
    EXPECT_TRUE(fromDefault.IsEqualId(&attribute));

    struct Refused {
        const char* what;
        std::string bytes;
    };
    const Refused refused[] = {
        {"cut after one code", Words({1, 295, 7, 1, 1, 1}) + U16(1)},
        {"version 2", Words({1, 295, 7, 1, 1, 2}) + std::string(20, '\0')},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.what);
        BytesIn cut(r.bytes);
        A untouched(295);
        untouched.RestoreGuts(cut.stream);
        EXPECT_TRUE(cut.stream.fail());
        EXPECT_TRUE(untouched.SameOptions(std::make_unique<A>(295).get()));
        EXPECT_TRUE(untouched.IsEqualId(std::make_unique<A>(295).get()));
    }
}

TYPED_TEST(GChromalistEnhancedAttributeTest, CodecRecordBytesByMode) {
    using T = TypeParam;
    using A = typename T::Attribute;
    const std::string codes = T::NumberedCodes();
    const std::string tag(1, static_cast<char>(T::kTag));
    struct Case {
        const char* what;
        uint32_t compact;
        uint32_t id;
        std::string header; // after the tag
        uint32_t decodedId;
    };
    const Case cases[] = {
        {"compact", 1, 0x0127, std::string("\x01\x00\x27\x01", 4), 0x0127},
        {"long words", 0, 0x0127, std::string("\x01\x00\x00\x00\x27\x01\x00\x00", 8), 0x0127},
        {"long words, wide id", 0, 0x00012345, std::string("\x01\x00\x00\x00\x45\x23\x01\x00", 8),
         0x00012345},
        // Compact records keep the low 16 bits of the id.
        {"compact, wide id cut", 1, 0x00012345, std::string("\x01\x00\x45\x23", 4), 0x2345},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const A attribute = T::Numbered(c.id);
        const GSettingsCodec codec(c.compact);
        BytesOut out;
        T::Encode(codec, &attribute, out.stream);
        EXPECT_EQ(out.Bytes(), tag + c.header + codes);
        EXPECT_EQ(out.Bytes().size(), 1 + c.header.size() + codes.size()); // compact Ver2: 15 bytes

        BytesIn in(out.Bytes().substr(1)); // the codec has read the tag
        std::unique_ptr<A> decoded = T::Decode(codec, in.stream);
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(decoded->GetId(), c.decodedId);
        EXPECT_TRUE(decoded->SameOptions(&attribute));
        if (c.decodedId == c.id) {
            EXPECT_TRUE(decoded->IsEqualId(&attribute));
        }
        EXPECT_EQ(in.stream.get(), -1); // the whole record was read
    }

    BytesOut nothing;
    T::Encode(GSettingsCodec(1), nullptr, nothing.stream);
    EXPECT_EQ(nothing.Bytes(), "");
}

TYPED_TEST(GChromalistEnhancedAttributeTest, DecodeRefusesOtherVersionsAndCutRecords) {
    using T = TypeParam;
    const std::string codes = T::NumberedCodes();
    struct Case {
        const char* what;
        uint32_t compact;
        std::string bytes; // after the tag
        int next;          // the next byte left in the stream
    };
    const Case cases[] = {
        // Another version: only the header (version and id) is read.
        {"compact version 2", 1, std::string("\x02\x00\x27\x01", 4) + codes, 0x01},
        {"compact version 2, two codes", 1, std::string("\x02\x00\x27\x01\x01\x02", 6), 0x01},
        {"compact version 0", 1, std::string("\x00\x00\x27\x01", 4) + codes, 0x01},
        {"long version 0x10001", 0, std::string("\x01\x00\x01\x00\x27\x01\x00\x00", 8) + codes, 0x01},
        {"three codes", 1, std::string("\x01\x00\x27\x01\x01\x02\x03", 7), -1},
        {"all codes but one", 1, std::string("\x01\x00\x27\x01", 4) + codes.substr(0, codes.size() - 1), -1},
        {"no id", 1, std::string("\x01\x00", 2), -1},
        {"empty", 1, "", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BytesIn in(c.bytes);
        EXPECT_EQ(T::Decode(GSettingsCodec(c.compact), in.stream), nullptr);
        in.stream.clear();
        EXPECT_EQ(in.stream.get(), c.next);
    }
}

TYPED_TEST(GChromalistEnhancedAttributeTest, GraphRoundTrip) {
    using T = TypeParam;
    const typename T::Attribute attribute = T::Numbered(295);
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&attribute);
    BytesIn in(out.Bytes());
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->IsA(), T::kClass);
    EXPECT_TRUE(restored->IsEqualId(&attribute));
}
