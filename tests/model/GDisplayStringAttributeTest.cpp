#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "LeafAttributeTestSupport.h"
#include "model/GDisplayStringAttribute.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWFactory.h"

using namespace leaftest;

namespace {

// id 9, serial 8, changed 1; display string 0x0304 "A" / "BC", id 0, serial 5.
GDisplayStringAttribute Sample() {
    GDisplayStringAttribute attribute(9, 0x0304, "A", "BC");
    attribute.SetSerial(8);
    attribute.GetDisplayString().SetSerial(5);
    return attribute;
}

// The display string's guts on a binary file: root words, version, "BC", "A", id.
std::string DisplayGutsInFile() {
    return Words({1, 0, 5, 1}) + U32(2) + "BC" + U32(1) + "A" + U16(0x0304);
}

} // namespace

TEST(GDisplayStringAttributeTest, ConstructionKindsAndEquality) {
    GDisplayStringAttribute plain;
    EXPECT_EQ(plain.GetId(), 0u);
    EXPECT_EQ(plain.GetChanged(), 1u);
    EXPECT_EQ(plain.GetDisplayString().GetStringId(), 0);

    GDisplayStringAttribute withId(9, 0x0304, "A", "BC");
    GDisplayStringAttribute withoutId(0x0304, nullptr, "BC");
    EXPECT_EQ(withId.GetId(), 9u);
    EXPECT_EQ(withoutId.GetId(), 0u);
    EXPECT_EQ(withoutId.GetDisplayString().GetText1(), "");
    EXPECT_EQ(withId.IsA(), 787);
    EXPECT_EQ(withId.GetTypeCode(), 787);
    EXPECT_TRUE(withId.IsKindOf(753));
    EXPECT_TRUE(withId.IsKindOf(751));
    EXPECT_FALSE(withId.IsKindOf(786));
    EXPECT_EQ(RWClassIdToStringId(787), RWStringID("GDisplayStringAttribute"));

    GDisplayStringAttribute same(9, 0x0304, "A", "BC");
    same.SetChanged(0);
    EXPECT_TRUE(withId.IsEqualId(&same));
    same.GetDisplayString().SetText2(RWCString("bc"));
    EXPECT_FALSE(withId.IsEqualId(&same));
    same.SetDisplayString(withId.GetDisplayString());
    EXPECT_TRUE(withId.IsEqualId(&same));
    withoutId.SetId(9);
    EXPECT_FALSE(withId.IsEqualId(&withoutId)); // text1 differs

    GDisplayStringAttribute assigned;
    assigned = withId;
    EXPECT_TRUE(assigned.IsEqualId(&withId));
    EXPECT_EQ(assigned.GetSerial(), withId.GetSerial());
}

TEST(GDisplayStringAttributeTest, SavedFormEmbedsTheDisplayStringAsAnObject) {
    const GDisplayStringAttribute attribute = Sample();
    // Raw stream: attribute words, version, then ':' class 786 '{' guts '}'
    // (each text as length word + the stream's string output).
    const std::string displayGuts =
        Words({1, 0, 5, 1}) + U32(2) + U32(2) + "BC" + U32(1) + U32(1) + "A" + U16(0x0304);
    EXPECT_EQ(RawGuts(attribute), Words({1, 9, 8, 1, 1, 1}) + ":" + U16(786) + "{" + displayGuts + "}");

    std::stringbuf buffer(RawGuts(attribute));
    RWBinaryInStream in(&buffer);
    GDisplayStringAttribute restored;
    restored.RestoreGuts(in);
    EXPECT_TRUE(in.good());
    EXPECT_TRUE(restored.IsEqualId(&attribute));
    EXPECT_EQ(restored.GetDisplayString().GetSerial(), 5u);
}

TEST(GDisplayStringAttributeTest, StoreSizeEqualsTheBytesOfABinaryFileSave) {
    const GDisplayStringAttribute attribute = Sample();
    // As a graph: magic, class 787, attribute words, version, class 786, guts.
    const std::string graph = SaveGraph(&attribute, Carrier::File);
    EXPECT_EQ(graph, U32(0x8888) + U16(787) + Words({1, 9, 8, 1, 1, 1}) + U16(786) + DisplayGutsInFile());
    // Magic and class id around the guts: inside the graph the attribute's
    // own size is 20 + 4 + 2 + 29 = 55.
    EXPECT_EQ(graph.size(), 4u + 2u + 55u);
    EXPECT_EQ(attribute.RecursiveStoreSize(), graph.size());

    // Saved on its own, the embedded object opens a graph (and its magic).
    const std::string alone = FileGuts(attribute);
    EXPECT_EQ(alone, Words({1, 9, 8, 1, 1, 1}) + U32(0x8888) + U16(786) + DisplayGutsInFile());
    EXPECT_EQ(attribute.BinaryStoreSize(), alone.size());
}
