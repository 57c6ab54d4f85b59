#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DriverTestSupport.h"
#include "driver/GSettingsCodec.h"
#include "model/GAttributeComposite.h"
#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "model/GConfiguration.h"
#include "model/GDisplayStringAttribute.h"
#include "model/GEnumAttribute.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSelectionString.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValue32Attribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentComposite.h"
#include "model/MPersistentIterator.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GFormToTrayAssociation.h"
#include "paper/GFormToTrayDatabase.h"
#include "rw/RWVirtualOutStream.h"

using namespace drivertest;

namespace {

constexpr uint16_t kCompact = GSettingsCodec::kCompactForm;
constexpr uint16_t kWide = GSettingsCodec::kWideForm;

// A root composite (id 7) holding one child.
std::unique_ptr<GAttributeComposite> RootWith(MPersistentObject* child) {
    auto root = std::make_unique<GAttributeComposite>(7);
    root->Add(child);
    return root;
}

// The whole stream of a root with id 7 around the given child record.
Bytes CompactStreamAround(const Bytes& record) {
    const auto length = static_cast<uint8_t>(record.size() + 4);
    return Concat({LeadIn(), Hex("01 01 00 07 00"), {length, 0x00}, record, Hex("00")});
}

Bytes WideStreamAround(const Bytes& record) {
    const auto length = static_cast<uint8_t>(record.size() + 4);
    return Concat({LeadIn(), Hex("01 01 00 00 00 07 00 00 00"), {length, 0x00}, record, Hex("00")});
}

// The direct children of node as (id, type code) pairs, in order.
std::vector<std::pair<uint32_t, uint16_t>> Shape(MPersistentObject& node) {
    std::vector<std::pair<uint32_t, uint16_t>> shape;
    const std::unique_ptr<MPersistentIterator> children = node.CreateIterator();
    while (children->Advance()) {
        shape.emplace_back(children->Current()->GetId(), children->Current()->GetTypeCode());
    }
    return shape;
}

uint16_t ValueOf(MPersistentObject& tree, uint32_t id) {
    auto* value = dynamic_cast<GValueAttribute*>(tree.FindById(id));
    EXPECT_NE(value, nullptr) << "no value " << id;
    return value == nullptr ? 0xDEAD : value->GetValue();
}

std::string TextOf(MPersistentObject& tree, uint32_t id) {
    auto* text = dynamic_cast<GStringAttribute*>(tree.FindById(id));
    EXPECT_NE(text, nullptr) << "no string " << id;
    return text == nullptr ? "?" : std::string(text->GetValue().Data(), text->GetValue().Length());
}

// The printer's defaults used by the merge tests:
// 500 { 291 = 1, 292 = 0, 261 "Tray 1", 249 { 323 = 600, 324 = 600 } }
std::unique_ptr<GAttributeComposite> Defaults() {
    auto defaults = std::make_unique<GAttributeComposite>(500);
    defaults->Add(new GValueAttribute(1, 291));
    defaults->Add(new GValueAttribute(0, 292));
    defaults->Add(new GStringAttribute("Tray 1", 261));
    auto* resolution = new GAttributeComposite(249);
    resolution->Add(new GValueAttribute(600, 323));
    resolution->Add(new GValueAttribute(600, 324));
    defaults->Add(resolution);
    return defaults;
}

class GSettingsCodecTest : public ::testing::Test {
protected:
    void SetUp() override { context.defaults = Defaults(); }

    std::unique_ptr<MPersistentObject> RoundTrip(const MPersistentObject& root, uint16_t form) {
        GSettingsCodec writer;
        int32_t result = 0;
        const Bytes bytes = Encode(writer, &root, form, &result);
        EXPECT_EQ(result, 1);
        GSettingsCodec reader;
        return Decode(reader, bytes, &context, form);
    }

    TestDriverContext context;
};

// ---- Writing: byte for byte --------------------------------------------------

struct RecordCase {
    const char* name;
    std::function<MPersistentObject*()> make;
    const char* compact; // the child's record in the compact form
    const char* wide;    // and in the wide form
};

TEST_F(GSettingsCodecTest, RecordsByteForByte) {
    const RecordCase cases[] = {
        {"value 0 packs into tag 110", [] { return new GValueAttribute(0, 291); }, "6E 23 01",
         "6E 23 01 00 00"},
        {"value 20 packs into tag 130", [] { return new GValueAttribute(20, 291); }, "82 23 01",
         "82 23 01 00 00"},
        {"value 21 is explicit", [] { return new GValueAttribute(21, 291); }, "03 23 01 15 00",
         "03 23 01 00 00 15 00"},
        {"value -1 is explicit", [] { return new GValueAttribute(0xFFFF, 291); }, "03 23 01 FF FF",
         "03 23 01 00 00 FF FF"},
        {"compact keeps the id's low 16 bits", [] { return new GValueAttribute(0, 0x40000019); }, "6E 19 00",
         "6E 19 00 00 40"},
        {"empty string: count 1 and the terminator", [] { return new GStringAttribute("", 5); },
         "07 05 00 01 00 00", "07 05 00 00 00 01 00 00"},
        {"string ab", [] { return new GStringAttribute("ab", 5); }, "07 05 00 03 00 61 62 00",
         "07 05 00 00 00 03 00 61 62 00"},
        {"range: maximum before minimum", [] { return new GRangeAttribute(1, 999, 1, 1, 10); },
         "05 01 00 0A 00 E7 03 01 00 01 00 01 00", "05 01 00 00 00 0A 00 00 00 E7 03 01 00 01 00 01 00"},
        {"range with negative numbers", [] { return new GRangeAttribute(-5, 5, 2, -3, 10); },
         "05 01 00 0A 00 05 00 FB FF 02 00 FD FF", "05 01 00 00 00 0A 00 00 00 05 00 FB FF 02 00 FD FF"},
        {"display string: text, string id, text",
         [] { return new GDisplayStringAttribute(12, 300, "A", "bc"); },
         "06 01 00 0C 00 01 00 00 00 01 00 00 00 41 2C 01 02 00 00 00 02 00 00 00 62 63",
         "06 01 00 00 00 0C 00 00 00 01 00 00 00 01 00 00 00 41 2C 01 02 00 00 00 02 00 00 00 62 63"},
        {"colour codes, six", [] { return new GChromalistAttribute(295, 1, 2, 3, 4, 5, 6); },
         "04 01 00 27 01 01 02 03 04 05 06", "04 01 00 00 00 27 01 00 00 01 02 03 04 05 06"},
        {"colour codes, eight",
         [] { return new GChromalistEnhancedAttribute(295, 11, 12, 13, 14, 15, 16, 17, 18); },
         "13 01 00 27 01 0B 0C 0D 0E 0F 10 11 12", "13 01 00 00 00 27 01 00 00 0B 0C 0D 0E 0F 10 11 12"},
        {"colour codes, ten",
         [] { return new GChromalistEnhancedAttributeVer2(295, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10); },
         "14 01 00 27 01 01 02 03 04 05 06 07 08 09 0A",
         "14 01 00 00 00 27 01 00 00 01 02 03 04 05 06 07 08 09 0A"},
        {"custom paper size", [] { return new GCustomMediaSize(16385, "Photo", 1, 100, 150, 0x40000019); },
         "0B 01 00 19 00 01 40 05 00 00 00 05 00 00 00 50 68 6F 74 6F 01 00 64 00 00 00 96 00 00 00",
         "0B 01 00 00 00 19 00 00 40 01 40 05 00 00 00 05 00 00 00 50 68 6F 74 6F 01 00 64 00 00 00 96 00 00 "
         "00"},
        {"form-to-tray database: fixed defaults, entries, no length",
         [] {
             auto* database = new GFormToTrayDatabase(510);
             database->Assign(9, 3, 11913);
             return database;
         },
         "08 01 00 FE 01 89 2E 00 00 0A 01 00 00 00 09 00 89 2E 03 00 00",
         "08 01 00 00 00 FE 01 00 00 89 2E 00 00 0A 01 00 00 00 00 00 00 00 09 00 89 2E 03 00 00"},
        {"empty state node", [] { return new GState(8); }, "02 01 00 08 00 04 00 00",
         "02 01 00 00 00 08 00 00 00 04 00 00"},
        {"empty enumeration node", [] { return new GEnumAttribute(276); }, "09 01 00 14 01 04 00 00",
         "09 01 00 00 00 14 01 00 00 04 00 00"},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto root = RootWith(c.make());
        GSettingsCodec codec;
        int32_t result = 0;
        EXPECT_EQ(Encode(codec, root.get(), kCompact, &result), CompactStreamAround(Hex(c.compact)));
        EXPECT_EQ(result, 1);
        EXPECT_EQ(Encode(codec, root.get(), kWide, &result), WideStreamAround(Hex(c.wide)));
        EXPECT_EQ(result, 1);
    }
}

TEST_F(GSettingsCodecTest, EmptyCompositeInBothForms) {
    GSettingsCodec codec;
    const GAttributeComposite empty(7);
    EXPECT_EQ(Encode(codec, &empty, kCompact), Concat({LeadIn(), Hex("01 01 00 07 00 04 00 00")}));
    EXPECT_EQ(Encode(codec, &empty, kWide), Concat({LeadIn(), Hex("01 01 00 00 00 07 00 00 00 04 00 00")}));
}

TEST_F(GSettingsCodecTest, NestedLengthsCountTheirChildren) {
    // 7 { 249 { 323 = 600 }, 292 = 1 }
    GAttributeComposite root(7);
    auto* resolution = new GAttributeComposite(249);
    resolution->Add(new GValueAttribute(600, 323));
    root.Add(resolution);
    root.Add(new GValueAttribute(1, 292));
    GSettingsCodec codec;
    // Inner: 5 record bytes -> length 9. Outer: 13 + 3 record bytes -> 20.
    EXPECT_EQ(Encode(codec, &root, kCompact),
              Concat({LeadIn(), Hex("01 01 00 07 00 14 00"), Hex("01 01 00 F9 00 09 00 03 43 01 58 02 00"),
                      Hex("6F 24 01 00")}));
}

TEST_F(GSettingsCodecTest, ListRootsByteForByte) {
    GSettingsCodec codec;
    MAssociationList associations(193);
    associations.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(5, 0), new GStringAttribute("x", 0), 0));
    associations.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(6, 0), new GValueAttribute(700, 0), 0));
    associations.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(7, 0), new GSelectionString("y", 9, 0), 0));
    // Entries of 18, 11 and 18 bytes: length 2 + 47 + 2 = 51.
    EXPECT_EQ(Encode(codec, &associations, kCompact),
              Concat({LeadIn(), Hex("0F 01 00 C1 00 33 00"),
                      Hex("11 01 00 00 00 05 00 00 00 01 00 00 00 01 00 00 00 78"),
                      Hex("11 01 00 00 00 06 00 01 00 BC 02"),
                      Hex("11 01 00 00 00 07 00 02 00 01 00 00 00 01 00 00 00 79"), Hex("00")}));

    GResourceMappingList mappings(194);
    ASSERT_EQ(mappings.AddUnique(new GResourceMapping(0x00010203, 15, 260, 0)), 1);
    EXPECT_EQ(Encode(codec, &mappings, kCompact),
              Concat({LeadIn(), Hex("10 01 00 C2 00 11 00 12 01 00 00 00 0F 00 04 01 03 02 01 00 00")}));
}

TEST_F(GSettingsCodecTest, WhatCannotBeWritten) {
    GSettingsCodec codec;
    int32_t result = -1;
    // Another form writes nothing at all.
    const GAttributeComposite empty(7);
    EXPECT_TRUE(Encode(codec, &empty, 2, &result).empty());
    EXPECT_EQ(result, 0);
    // A null root is the lead-in alone, and a success.
    EXPECT_EQ(Encode(codec, nullptr, kCompact, &result), LeadIn());
    EXPECT_EQ(result, 1);
    // A leaf is no root.
    const GValueAttribute leaf(1, 2);
    EXPECT_EQ(Encode(codec, &leaf, kCompact, &result), LeadIn());
    EXPECT_EQ(result, 0);
    // A child without a record ends the writing, but every composite is closed.
    GAttributeComposite root(7);
    root.Add(new GValueAttribute(0, 1));
    auto* inner = new GAttributeComposite(8);
    inner->Add(new GValue32Attribute(5, 2));
    inner->Add(new GValueAttribute(0, 3));
    root.Add(inner);
    root.Add(new GValueAttribute(0, 4));
    EXPECT_EQ(Encode(codec, &root, kCompact, &result),
              Concat({LeadIn(), Hex("01 01 00 07 00 0F 00 6E 01 00 01 01 00 08 00 04 00 00 00")}));
    EXPECT_EQ(result, 0);
}

TEST_F(GSettingsCodecTest, RefusesLengthsThatWouldWrap) {
    GSettingsCodec codec;
    // 65,535 characters would wrap n to 0: refused, the root closed around
    // nothing, the stream still good.
    const auto tooLong = RootWith(new GStringAttribute(RWCString('a', 65535), 5));
    {
        std::vector<char> block(70000);
        GPersistOutputStream out(block.data(), block.size(), 1);
        EXPECT_EQ(codec.Encode(tooLong.get(), *out.GetStream(), out, kCompact), 0);
        EXPECT_TRUE(out.GetStream()->good());
        EXPECT_EQ(Bytes(block.begin(), block.begin() + out.Tell()),
                  Concat({LeadIn(), Hex("01 01 00 07 00 04 00 00")}));
    }
    // 65,534 characters make n = 0xFFFF, but no composite can hold them.
    const auto longest = RootWith(new GStringAttribute(RWCString('a', 65534), 5));
    {
        std::vector<char> block(70000);
        GPersistOutputStream out(block.data(), block.size(), 1);
        EXPECT_EQ(codec.Encode(longest.get(), *out.GetStream(), out, kCompact), 0);
        EXPECT_TRUE(out.GetStream()->fail());
        EXPECT_EQ(Bytes(block.begin() + 27, block.begin() + 32), Hex("07 05 00 FF FF"));
    }
    // A composite of more than 65,535 bytes has no length: refused, stream failed.
    GAttributeComposite big(7);
    for (uint32_t i = 0; i < 3; ++i)
        big.Add(new GStringAttribute(RWCString('b', 30000), 10 + i));
    std::vector<char> block(100000);
    GPersistOutputStream out(block.data(), block.size(), 1);
    EXPECT_EQ(codec.Encode(&big, *out.GetStream(), out, kCompact), 0);
    EXPECT_TRUE(out.GetStream()->fail());
    // The length field was left as the placeholder, never a wrapped value.
    EXPECT_EQ(block[25], 0);
    EXPECT_EQ(block[26], 0);
}

// ---- Reading -----------------------------------------------------------------

TEST_F(GSettingsCodecTest, LeadInMustBeTwentyBytes) {
    GSettingsCodec codec;
    const Bytes body = Hex("01 01 00 F4 01 04 00 00");
    EXPECT_NE(Decode(codec, Concat({LeadIn(), body}), &context, kCompact), nullptr);
    EXPECT_EQ(Decode(codec, Concat({Bytes(19, 0x73), body}), &context, kCompact), nullptr);
    Bytes wrongByte = Concat({LeadIn(), body});
    wrongByte[7] = 0x53;
    EXPECT_EQ(Decode(codec, wrongByte, &context, kCompact), nullptr);
    EXPECT_EQ(Decode(codec, Concat({LeadIn(), body}), &context, 2), nullptr);
    EXPECT_EQ(Decode(codec, Bytes(), &context, kCompact), nullptr);
}

TEST_F(GSettingsCodecTest, ExtraChildDroppedMissingDefaultClonedIn) {
    // Stream: 500 { 292 = 1, 999 = 5, 249 { 323 = 1200 } }
    GAttributeComposite stream(500);
    stream.Add(new GValueAttribute(1, 292));
    stream.Add(new GValueAttribute(5, 999));
    auto* resolution = new GAttributeComposite(249);
    resolution->Add(new GValueAttribute(1200, 323));
    stream.Add(resolution);
    for (const uint16_t form : {kCompact, kWide}) {
        const std::unique_ptr<MPersistentObject> tree = RoundTrip(stream, form);
        ASSERT_NE(tree, nullptr);
        // The stream's accepted children first, then copies of what it lacked.
        const std::vector<std::pair<uint32_t, uint16_t>> expected = {
            {292, 763}, {249, 757}, {291, 763}, {261, 776}};
        EXPECT_EQ(Shape(*tree), expected);
        EXPECT_EQ(ValueOf(*tree, 292), 1);
        EXPECT_EQ(ValueOf(*tree, 291), 1);
        EXPECT_EQ(TextOf(*tree, 261), "Tray 1");
        EXPECT_EQ(ValueOf(*tree, 323), 1200);
        EXPECT_EQ(ValueOf(*tree, 324), 600);
        EXPECT_EQ(tree->FindById(999), nullptr);
    }
}

TEST_F(GSettingsCodecTest, ChildOfAnotherKindIsReplacedByTheDefault) {
    GAttributeComposite stream(500);
    stream.Add(new GStringAttribute("7", 291));
    const std::unique_ptr<MPersistentObject> tree = RoundTrip(stream, kCompact);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(ValueOf(*tree, 291), 1);
}

TEST_F(GSettingsCodecTest, NodeSixtyThreeKeepsOnlyItsReference) {
    auto* modules = new GAttributeComposite(63);
    modules->Add(new GStringAttribute("module.dll", 70));
    context.defaults->Add(modules);
    GAttributeComposite stream(500);
    auto* injected = new GAttributeComposite(63);
    injected->Add(new GStringAttribute("evil.dll", 70));
    injected->Add(new GStringAttribute("more.dll", 71));
    stream.Add(injected);
    const std::unique_ptr<MPersistentObject> tree = RoundTrip(stream, kCompact);
    ASSERT_NE(tree, nullptr);
    MPersistentObject* node = tree->FindById(63);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetCount(), 1u);
    EXPECT_EQ(TextOf(*node, 70), "module.dll");
}

TEST_F(GSettingsCodecTest, TagWithoutReaderEndsOnlyItsComposite) {
    // 500 { 249 { 323 = 1200, <tag 13> AA BB, 324 = 300 }, 292 = 1 }
    const Bytes bytes = Concat({LeadIn(), Hex("01 01 00 F4 01 1C 00"), Hex("01 01 00 F9 00 11 00"),
                                Hex("03 43 01 B0 04 0D AA BB 03 44 01 2C 01 00"), Hex("6F 24 01 00")});
    GSettingsCodec codec;
    const std::unique_ptr<MPersistentObject> tree = Decode(codec, bytes, &context, kCompact);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(ValueOf(*tree, 323), 1200);
    EXPECT_EQ(ValueOf(*tree, 324), 600); // lost after the bad tag: the default
    EXPECT_EQ(ValueOf(*tree, 292), 1);   // the next sibling is read normally
}

TEST_F(GSettingsCodecTest, RoundTripsEveryLeafKind) {
    auto* leaves = new GAttributeComposite(600);
    leaves->Add(new GRangeAttribute(1, 999, 1, 1, 10));
    leaves->Add(new GDisplayStringAttribute(12, 300, "Tray", "Fach"));
    leaves->Add(new GChromalistAttribute(13, 1, 2, 3, 4, 5, 6));
    leaves->Add(new GChromalistEnhancedAttribute(14, 11, 12, 13, 14, 15, 16, 17, 18));
    leaves->Add(new GChromalistEnhancedAttributeVer2(15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10));
    leaves->Add(new GValueAttribute(0xFFFF, 16));
    leaves->Add(new GStringAttribute("", 17));
    auto* state = new GState(18);
    state->Add(new GValueAttribute(3, 19));
    leaves->Add(state);
    auto* choices = new GEnumAttribute(20);
    choices->Add(new GValueAttribute(4, 21));
    leaves->Add(choices);
    context.defaults->Add(leaves);

    const std::unique_ptr<GAttributeComposite> original = context.NewDefaultSettings();
    for (const uint16_t form : {kCompact, kWide}) {
        const std::unique_ptr<MPersistentObject> tree = RoundTrip(*original, form);
        ASSERT_NE(tree, nullptr);
        EXPECT_TRUE(tree->IsEqualId(original.get())) << "form " << form;
        auto* range = dynamic_cast<GRangeAttribute*>(tree->FindById(10));
        ASSERT_NE(range, nullptr);
        EXPECT_EQ(range->GetMin(), 1);
        EXPECT_EQ(range->GetMax(), 999);
        EXPECT_EQ(range->GetStep(), 1);
        EXPECT_EQ(range->GetValue(), 1);
    }
}

TEST_F(GSettingsCodecTest, PaperRecordsRoundTrip) {
    auto* sizes = new GEnumAttribute(276);
    context.defaults->Add(sizes);
    auto* database = new GFormToTrayDatabase(510);
    database->Assign(1, 2, 3);
    context.defaults->Add(database);

    GAttributeComposite stream(500);
    auto* streamSizes = new GEnumAttribute(276);
    streamSizes->Add(new GCustomMediaSize(16385, "Photo", 1, 100, 150, 0x40000019));
    streamSizes->Add(new GCustomMediaSize(16386, "Card", 0, 400, 600, 0x40000019));
    stream.Add(streamSizes);
    auto* streamDatabase = new GFormToTrayDatabase(510);
    streamDatabase->Assign(9, 3, 11913);
    streamDatabase->Assign(10, 4, 12000);
    stream.Add(streamDatabase);

    // Wide: every size carrying the template's id and class is taken; the
    // template itself is never copied.
    const std::unique_ptr<MPersistentObject> wide = RoundTrip(stream, kWide);
    ASSERT_NE(wide, nullptr);
    MPersistentObject* readSizes = wide->FindById(276);
    ASSERT_NE(readSizes, nullptr);
    ASSERT_EQ(readSizes->GetCount(), 2u);
    auto* card = dynamic_cast<GCustomMediaSize*>(readSizes->FindByClass(GCustomMediaSize::kClassId));
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->IsEqualId(streamSizes->FindByClass(GCustomMediaSize::kClassId)));
    auto* readDatabase = dynamic_cast<GFormToTrayDatabase*>(wide->FindById(510));
    ASSERT_NE(readDatabase, nullptr);
    EXPECT_EQ(readDatabase->GetTrayForForm(10), 4);
    EXPECT_EQ(readDatabase->GetMediaTypeForForm(10), 12000);
    EXPECT_EQ(readDatabase->HasForm(1), 0); // the stream's database, not the default's

    // Compact: the template's id does not survive 16 bits, so the sizes are
    // dropped (and the template is still not copied).
    const std::unique_ptr<MPersistentObject> compact = RoundTrip(stream, kCompact);
    ASSERT_NE(compact, nullptr);
    EXPECT_EQ(compact->FindById(276)->GetCount(), 0u);
    EXPECT_EQ(dynamic_cast<GFormToTrayDatabase*>(compact->FindById(510))->GetTrayForForm(9), 3);
}

TEST_F(GSettingsCodecTest, CompactFormNeverTakesTheDocumentNodesOfThreeSixty) {
    auto* document = new GAttributeComposite(360);
    document->Add(new GState(365));
    document->Add(new GValueAttribute(1, 291));
    context.defaults->Add(document);
    GAttributeComposite stream(500);
    auto* streamDocument = new GAttributeComposite(360);
    auto* options = new GState(365);
    options->Add(new GValueAttribute(5, 5));
    streamDocument->Add(options);
    streamDocument->Add(new GValueAttribute(3, 291));
    stream.Add(streamDocument);

    const std::unique_ptr<MPersistentObject> compact = RoundTrip(stream, kCompact);
    ASSERT_NE(compact, nullptr);
    MPersistentObject* node = compact->FindById(360);
    ASSERT_NE(node, nullptr);
    const std::vector<std::pair<uint32_t, uint16_t>> onlyCopies = {{291, 763}};
    EXPECT_EQ(Shape(*node), onlyCopies); // 365 neither from the stream nor copied
    EXPECT_EQ(ValueOf(*node, 291), 3);

    const std::unique_ptr<MPersistentObject> wide = RoundTrip(stream, kWide);
    ASSERT_NE(wide, nullptr);
    EXPECT_NE(wide->FindById(365), nullptr); // the wide form takes it
}

TEST_F(GSettingsCodecTest, TemplateEntriesAreAcceptedInAnyNumberButNeverCopied) {
    context.defaults->Add(new GAttributeComposite(378));
    GAttributeComposite stream(500);
    auto* fonts = new GAttributeComposite(378);
    for (const char* name : {"Courier", "Garamond"}) {
        auto* font = new GAttributeComposite(380);
        font->Add(new GStringAttribute(name, 384));
        font->Add(new GValueAttribute(12, 390));
        fonts->Add(font);
    }
    stream.Add(fonts);
    const std::unique_ptr<MPersistentObject> tree = RoundTrip(stream, kCompact);
    ASSERT_NE(tree, nullptr);
    MPersistentObject* list = tree->FindById(378);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetCount(), 2u);
    const std::unique_ptr<MPersistentIterator> entries = list->CreateIterator();
    std::vector<std::string> names;
    while (entries->Advance()) {
        MPersistentObject* font = entries->Current();
        names.push_back(TextOf(*font, 384));
        EXPECT_EQ(ValueOf(*font, 390), 12);
        EXPECT_EQ(TextOf(*font, 386), "Arial"); // completed from the template
        EXPECT_EQ(ValueOf(*font, 1112), 0);
        EXPECT_EQ(font->GetCount(), 17u);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Courier", "Garamond"}));

    // With no entries in the stream the list stays empty.
    GAttributeComposite none(500);
    const std::unique_ptr<MPersistentObject> empty = RoundTrip(none, kCompact);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->FindById(378)->GetCount(), 0u);
}

TEST_F(GSettingsCodecTest, QuickSetEntriesFollowThePrinterConfigurationTemplate) {
    // Configuration tree 353 { 76 { 198 { 375 { 377 = 1 } } } }
    auto* configuration = new MPersistentComposite(353);
    auto* printer = new MPersistentComposite(76);
    auto* printerConfiguration = new GConfiguration(198);
    auto* quickSet = new GAttributeComposite(375);
    quickSet->Add(new GValueAttribute(1, 377));
    printerConfiguration->Add(quickSet);
    printer->Add(printerConfiguration);
    configuration->Add(printer);
    context.SetConfiguration(configuration);

    GAttributeComposite stream(0x4000005C);
    auto* entry = new GAttributeComposite(0);
    entry->Add(new GValueAttribute(4, 377));
    entry->Add(new GStringAttribute("Draft", 376));
    stream.Add(entry);
    stream.Add(new GValueAttribute(9, 0x40000018)); // accepted anywhere
    const std::unique_ptr<MPersistentObject> tree = RoundTrip(stream, kWide);
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->GetCount(), 2u);
    MPersistentObject* set = tree->FindById(0);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(ValueOf(*set, 377), 4);
    EXPECT_EQ(TextOf(*set, 376), "Draft");
    EXPECT_EQ(ValueOf(*set, 1124), 0); // from the template
    EXPECT_EQ(ValueOf(*tree, 0x40000018), 9);
}

TEST_F(GSettingsCodecTest, ReferenceTreeIsBuiltOncePerCodec) {
    GSettingsCodec codec;
    GAttributeComposite stream(500);
    GSettingsCodec writer;
    const Bytes bytes = Encode(writer, &stream, kCompact);
    EXPECT_NE(Decode(codec, bytes, &context, kCompact), nullptr);
    context.defaults->Add(new GValueAttribute(8, 1000)); // later changes are not seen
    const std::unique_ptr<MPersistentObject> tree = Decode(codec, bytes, &context, kCompact);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(context.defaultsMade, 1);
    EXPECT_EQ(tree->FindById(1000), nullptr);
}

TEST_F(GSettingsCodecTest, ListsReadBack) {
    MAssociationList associations(193);
    associations.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(5, 0), new GStringAttribute("x", 0), 0));
    // An object value is written as a graph, read and dropped: the entries
    // after it are still read.
    associations.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(6, 0), new GRangeAttribute(1, 9, 1, 2, 3), 0));
    associations.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(7, 0), new GSelectionString("y", 9, 0), 0));
    associations.InsertOrReplace(
        new MPersistentAssociation(new GValueAttribute(8, 0), new GValueAttribute(700, 0), 0));
    const std::unique_ptr<MPersistentObject> list = RoundTrip(associations, kWide);
    auto* read = dynamic_cast<MAssociationList*>(list.get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetId(), 193u);
    EXPECT_EQ(read->GetCount(), 3u);
    const GValueAttribute key7(7, 0);
    auto* selection = dynamic_cast<GSelectionString*>(read->FindValue(&key7));
    ASSERT_NE(selection, nullptr);
    EXPECT_EQ(selection->GetValue(), 7); // the key
    const GValueAttribute key8(8, 0);
    auto* number = dynamic_cast<GValueAttribute*>(read->FindValue(&key8));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->GetValue(), 700);

    GResourceMappingList mappings(194);
    mappings.AddUnique(new GResourceMapping(100, 15, 260, 0));
    mappings.AddUnique(new GResourceMapping(101, 7, 261, 0));
    const std::unique_ptr<MPersistentObject> mappingTree = RoundTrip(mappings, kCompact);
    auto* readMappings = dynamic_cast<GResourceMappingList*>(mappingTree.get());
    ASSERT_NE(readMappings, nullptr);
    ASSERT_NE(readMappings->FindByFirst(7), nullptr);
    EXPECT_EQ(readMappings->FindByFirst(7)->GetSecond(), 261);
    EXPECT_EQ(readMappings->FindByFirst(7)->GetValue32(), 101u);
}

TEST_F(GSettingsCodecTest, ObjectValuesRestoreOnlySettingsClasses) {
    // An association value naming a class outside the settings model (a
    // class id the factory knows but the allowlist refuses) ends the list.
    const Bytes bytes = Concat({LeadIn(), Hex("0F 01 00 C1 00 00 00"),
                                Hex("11 01 00 00 00 05 00 09 00 3A 07 80 7B 7D"), // RWCollectable (0x8007)
                                Hex("11 01 00 00 00 06 00 01 00 BC 02 00")});
    GSettingsCodec codec;
    const std::unique_ptr<MPersistentObject> list = Decode(codec, bytes, &context, kCompact);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 0u);
}

// ---- Untrusted input ---------------------------------------------------------

TEST_F(GSettingsCodecTest, EveryPrefixOfAStreamDecodesWithinItsBytes) {
    auto tree = Defaults();
    tree->Add(new GDisplayStringAttribute(12, 300, "Tray", "Fach"));
    tree->Add(new GChromalistEnhancedAttributeVer2(15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10));
    tree->Add(new GRangeAttribute(1, 999, 1, 1, 10));
    GSettingsCodec writer;
    const Bytes bytes = Encode(writer, tree.get(), kCompact);
    GSettingsCodec codec;
    for (size_t n = 0; n <= bytes.size(); ++n) {
        const std::unique_ptr<MPersistentObject> read =
            Decode(codec, Bytes(bytes.begin(), bytes.begin() + n), &context, kCompact);
        if (n > 20) {
            // Past the lead-in and the root's header, a cut stream still
            // gives the defaults' shape.
            if (n >= 27) {
                ASSERT_NE(read, nullptr) << n;
                EXPECT_NE(read->FindById(249), nullptr) << n;
            }
        } else {
            EXPECT_EQ(read, nullptr) << n;
        }
    }
}

TEST_F(GSettingsCodecTest, BadLengthsNeverMoveBackwardsOrPastTheEnd) {
    struct Case {
        const char* name;
        Bytes body;
        uint16_t expected292; // 292 after reading
    };
    const Case cases[] = {
        // 249 claims length 0 and holds a bad tag: no move backwards; the
        // root goes on at the bytes after the bad tag.
        {"length 0", Hex("01 01 00 F4 01 00 00 01 01 00 F9 00 00 00 0D 6F 24 01 00 00"), 1},
        // 249 claims 0xFFFF: the skip stops at the end of the data.
        {"length past the end", Hex("01 01 00 F4 01 FF FF 01 01 00 F9 00 FF FF 0D 6F 24 01 00 00"), 0},
        // A form-to-tray entry of another version: the database fails and
        // its composite is skipped by its length (292 after it is lost).
        {"unknown entry version",
         Hex("01 01 00 F4 01 1C 00 08 01 00 FE 01 89 2E 00 00 0A 02 00 00 00 09 00 89 2E 03 00 00 6F 24 01 "
             "00"),
         0},
        // A string count past the end of the data.
        {"string count past the end", Hex("01 01 00 F4 01 10 00 07 05 01 FF FF 61"), 0},
        // A text whose length words exceed the data.
        {"text length past the end", Hex("01 01 00 F4 01 20 00 06 01 00 0C 00 FF FF FF 7F FF FF FF 7F 41 00"),
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GSettingsCodec codec;
        const std::unique_ptr<MPersistentObject> tree =
            Decode(codec, Concat({LeadIn(), c.body}), &context, kCompact);
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(ValueOf(*tree, 292), c.expected292);
        EXPECT_EQ(ValueOf(*tree, 323), 600);
    }
}

TEST_F(GSettingsCodecTest, DamagedBytesNeverEscapeTheirBuffer) {
    auto tree = Defaults();
    tree->Add(new GDisplayStringAttribute(12, 300, "Tray", "Fach"));
    tree->Add(new GRangeAttribute(1, 999, 1, 1, 10));
    GSettingsCodec writer;
    const Bytes bytes = Encode(writer, tree.get(), kWide);
    GSettingsCodec codec;
    // Every byte after the lead-in set to each of a few telling values.
    for (size_t i = 20; i < bytes.size(); ++i) {
        for (const uint8_t value : {0x00, 0x01, 0x0D, 0x7F, 0xFF}) {
            Bytes damaged = bytes;
            damaged[i] = value;
            Decode(codec, damaged, &context, kWide); // ASan watches the reads
        }
    }
}

} // namespace
