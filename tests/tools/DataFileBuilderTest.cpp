// Building the data file's object graph from description statements: each
// kind makes its class with the values given, mistakes are refused with their
// line, and the graph saves to the bytes the class library's format gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/GCapabilities.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "model/GDisplayStringAttribute.h"
#include "model/GEnumAttribute.h"
#include "model/GOptMediaComposite.h"
#include "model/GRangeAttribute.h"
#include "model/GResourceMappingList.h"
#include "model/GSelectionString.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "tools/printerdesc/DataFile.h"
#include "tools/printerdesc/DataFileBuilder.h"
#include "tools/printerdesc/DataFileLayout.h"
#include "tools/printerdesc/DataFileSerials.h"
#include "tools/printerdesc/DescriptionCompiler.h"
#include "tools/printerdesc/DescriptionError.h"
#include "tools/printerdesc/DescriptionParser.h"

namespace {

GCountedPtr Build(const std::string& text) {
    return DataFileBuilder().Build(DescriptionParser::ParseText("test.qvpd", text));
}

std::pair<int, std::string> ErrorOf(const std::string& text) {
    try {
        DescriptionCompiler::CompileText("test.qvpd", text);
    } catch (const DescriptionError& error) {
        return {error.Line(), error.Problem()};
    }
    return {0, "no error"};
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string Word32(uint32_t value) {
    return Bytes({static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF), static_cast<int>(value >> 24)});
}

// A printer block with the required parts around a configuration body.
std::string Printer(const std::string& configuration) {
    return "configuration 353 {\n printer 76 {\n  configuration {\n" + configuration +
           "  }\n  state { state 246 { } }\n  writer pclxl { configuration { } }\n  pjl { configuration { } "
           "}\n }\n}\n";
}

TEST(DataFileBuilderTest, LeavesTakeTheirValues) {
    GCountedPtr root = Build("value 265 90\n"
                             "value 902 -4\n"
                             "range 199 1 999 1 1\n"
                             "string 401 \"QVUIRES.DLL\"\n"
                             "string 1026 hex \"0000 0400\"\n"
                             "display 370 11200 \"Top\" \"Bin\"\n"
                             "selection 0 23 \"A4\"\n"
                             "capabilities 135 12 0 9\n"
                             "chromalist-enhanced2 295 1 2 3 4 5 6 7 8 9 10\n"
                             "optmedia 6 6 0 1 23 39\n");
    std::vector<MPersistentObject*> leaves = DataFileLayout::Children(root.Get());
    ASSERT_EQ(leaves.size(), 10u);
    EXPECT_EQ(dynamic_cast<GValueAttribute&>(*leaves[0]).GetValue(), 90);
    EXPECT_EQ(dynamic_cast<GValueAttribute&>(*leaves[1]).GetValue(), 0xFFFC);
    auto& range = dynamic_cast<GRangeAttribute&>(*leaves[2]);
    EXPECT_EQ(range.GetMin(), 1);
    EXPECT_EQ(range.GetMax(), 999);
    EXPECT_EQ(range.GetValue(), 1);
    EXPECT_EQ(std::string(dynamic_cast<GStringAttribute&>(*leaves[3]).GetValue().Data()), "QVUIRES.DLL");
    const RWCString& raw = dynamic_cast<GStringAttribute&>(*leaves[4]).GetValue();
    EXPECT_EQ(std::string(raw.Data(), raw.Length()), Bytes({0, 0, 4, 0}));
    auto& display = dynamic_cast<GDisplayStringAttribute&>(*leaves[5]);
    EXPECT_EQ(display.GetId(), 370u);
    EXPECT_EQ(display.GetDisplayString().GetStringId(), 11200);
    auto& selection = dynamic_cast<GSelectionString&>(*leaves[6]);
    EXPECT_EQ(selection.GetValue(), 23);
    auto& capabilities = dynamic_cast<GCapabilities&>(*leaves[7]);
    EXPECT_EQ(capabilities.GetLength(), 12u);
    EXPECT_EQ(capabilities.CountSet(), 2u);
    EXPECT_EQ(capabilities.TestBit(9), 1);
    auto& colour = dynamic_cast<GChromalistEnhancedAttributeVer2&>(*leaves[8]);
    uint8_t code = 0;
    colour.GetOption(0, 3, code); // the third code of the list
    EXPECT_EQ(code, 3);
    colour.GetOption(3, 2, code); // the last
    EXPECT_EQ(code, 10);
    auto& tray = dynamic_cast<GOptMediaComposite&>(*leaves[9]);
    EXPECT_EQ(tray.GetFirstWord(), 6);
    ASSERT_EQ(tray.GetCount(), 3);
    EXPECT_EQ(tray.GetAt(2), 39);
}

TEST(DataFileBuilderTest, ListsAndSelections) {
    GCountedPtr root = Build("enum 276 select 7 { value 5 1; value 7 2 }\n"
                             "associations 192 {\n map 1 selection \"LETTER\"\n map 23 selection \"A4\" 9\n"
                             " map 2 string \"x\"\n map 3 value 70\n}\n"
                             "mappings 194 { mapping 10506 262 6; mapping 10519 7 19 }\n");
    auto* sizes = dynamic_cast<GEnumAttribute*>(DataFileLayout::Child(root.Get(), 276));
    ASSERT_NE(sizes, nullptr);
    ASSERT_NE(sizes->GetSelection(), nullptr);
    EXPECT_EQ(sizes->GetSelection()->GetId(), 7u);
    auto* names = dynamic_cast<MAssociationList*>(DataFileLayout::Child(root.Get(), 192));
    ASSERT_NE(names, nullptr);
    GValueAttribute key(23, 0);
    auto* a4 = dynamic_cast<GSelectionString*>(names->FindValue(&key));
    ASSERT_NE(a4, nullptr);
    EXPECT_EQ(std::string(a4->GetString().Data()), "A4");
    EXPECT_EQ(a4->GetValue(), 9);
    GValueAttribute letterKey(1, 0);
    EXPECT_EQ(dynamic_cast<GSelectionString*>(names->FindValue(&letterKey))->GetValue(), 1);
    auto* bins = dynamic_cast<GResourceMappingList*>(DataFileLayout::Child(root.Get(), 194));
    ASSERT_NE(bins, nullptr);
    ASSERT_NE(bins->FindBySecond(19), nullptr);
    EXPECT_EQ(bins->FindBySecond(19)->GetFirst(), 7);
    EXPECT_EQ(bins->FindByFirst(262)->GetValue32(), 10506u);
}

TEST(DataFileBuilderTest, MistakesAreRefusedWithTheirLine) {
    struct Case {
        std::string text;
        int line;
        std::string problem;
    };
    const Case cases[] = {
        {"value 1 1\nvalu 265 0\n", 2, "unknown kind 'valu'"},
        {"composite 1 {\n mapping 1 2 3\n}\n", 2, "'mapping' cannot stand here"},
        {"composite 359 {\n value 265 0\n value 253 0\n value 265 90\n}\n", 4,
         "duplicate id 265 in composite 359 (first at line 2)"},
        {"composite 1 {\n binary 2 \"00\"\n}\n", 2,
         "composite 1 does not take binary 2 (an attribute node takes only attributes)"},
        {"configuration 1 {\n value 0 5\n value 0 5\n}\n", 3,
         "configuration 1 does not take value 0 (it is equal to a child already there)"},
        {"range 199 10 1 1 5\n", 1, "the range's maximum is below its minimum"},
        {"range 199 1 10 1 11\n", 1, "the range's value lies outside its minimum and maximum"},
        {"value 1 70000\n", 1, "value 70000 is outside -32768..65535"},
        {"value x 1\n", 1, "id 'x' is not a whole number"},
        {"value 1\n", 1, "'value' takes 2 arguments, not 1"},
        {"value 1 2 { }\n", 1, "'value' takes no block"},
        {"string 1 2\n", 1, "argument 2 of 'string' must be a quoted text, not '2'"},
        {"enum 276 select 5 {\n value 1 1\n}\n", 1, "enum 276 has no choice with id 5"},
        {"mappings 191 {\n mapping 1 1 1\n mapping 2 2 1\n}\n", 3,
         "mapping refused: its second value or its 32-bit value is already in mappings 191"},
        {"associations 93 {\n map 30 string \"a\"\n map 30 string \"b\"\n}\n", 3,
         "duplicate key 30 in associations 93 (first at line 2)"},
        {"booklet 909 1 0 5\n", 1, "a booklet list holds pairs of values"},
        {"capabilities 112 8 8\n", 1, "bit 8 is outside 0..7"},
        {"configuration 353 {\n printer 76 {\n  configuration { }\n }\n}\n", 2,
         "the printer has no 'state' block"},
        {"configuration 353 {\n printer 76 {\n  configuration { }\n  state { }\n  writer lips { "
         "configuration { } }\n"
         "  pjl { configuration { } }\n }\n}\n",
         5, "the writer's language is pclxl, pcl5 or postscript, not 'lips'"},
        {"configuration 353 {\n printer 76 {\n  configuration { }\n  state { }\n  writer pcl5 { "
         "configuration { value 1480 767 } }\n"
         "  pjl { configuration { } }\n }\n}\n",
         5, "the writer kind (1480) comes from the writer line, not from the description"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto [line, problem] = ErrorOf(c.text);
        EXPECT_EQ(line, c.line);
        EXPECT_EQ(problem, c.problem);
    }
}

// Worked out from the graph format (rw/RWCollectableIO.h) and the saved forms
// of the two classes: a new object is ':' class-id '{' guts '}'; the root
// words are version 1, id, serial; a composite adds version 1 and the count;
// a value attribute the attribute's version 1 and changed flag 1, then its
// own version 1 and the u16 value.
TEST(DataFileBuilderTest, SavedBytesFollowTheGraphFormat) {
    GCountedPtr root = Build("value 265 90\n");
    EXPECT_EQ(NumberSerials(*root), 3u);
    const std::string expected = Bytes({':', 0xF0, 0x02, '{'}) + Word32(1) + Word32(0) + Word32(1) +
                                 Word32(1) + Word32(1) + Bytes({':', 0xFB, 0x02, '{'}) + Word32(1) +
                                 Word32(265) + Word32(2) + Word32(1) + Word32(1) + Word32(1) +
                                 Bytes({90, 0, '}', '}'});
    EXPECT_EQ(DataFile::Save(*root), expected);
}

TEST(DataFileBuilderTest, PrinterNodeLayout) {
    GCountedPtr root =
        Build(Printer("   value 339 1\n   composite 359 { value 265 0 }\n   composite 228 { }\n"));
    DataFileLayout layout(*root);
    ASSERT_NE(layout.Anchor('N'), nullptr);
    EXPECT_EQ(layout.Anchor('N')->GetId(), 76u);
    ASSERT_NE(layout.Anchor('P'), nullptr);
    EXPECT_EQ(layout.Anchor('P')->IsA(), 759);
    EXPECT_EQ(layout.Anchor('P')->GetId(), 198u);
    EXPECT_NE(DataFileLayout::Child(layout.Anchor('P'), 339), nullptr);
    EXPECT_EQ(layout.Anchor('D')->GetId(), 359u);
    EXPECT_EQ(layout.Anchor('A')->GetId(), 228u);
    EXPECT_EQ(layout.Anchor('S')->IsA(), 758);
    EXPECT_NE(DataFileLayout::Child(layout.Anchor('S'), 246), nullptr);
    ASSERT_NE(layout.Anchor('W'), nullptr);
    ASSERT_NE(layout.Anchor('J'), nullptr);
    EXPECT_NE(layout.Anchor('W'), layout.Anchor('J'));
    // The printer configuration searched depth first meets the defaults as a
    // real printer's would: own group first, then the stages' groups.
    MPersistentObject* configuration = DataFileLayout::Child(layout.Anchor('N'), 198);
    EXPECT_EQ(configuration->FindById(265)->GetId(), 265u);
    EXPECT_EQ(DataFileLayout::Children(configuration).size(), 3u);
    // The stand-in stages hold the same configuration objects as the printer's.
    EXPECT_EQ(DataFileLayout::Children(DataFileLayout::Child(layout.Anchor('N'), 101)).front(),
              DataFileLayout::Children(configuration)[1]);
    EXPECT_EQ(layout.Resolve("D/265").size(), 1u);
    EXPECT_EQ(layout.Resolve("P/*").size(), 3u);
    EXPECT_TRUE(layout.Resolve("D/999").empty());
}

TEST(DataFileBuilderTest, SameDescriptionSameBytesAndRoundTrip) {
    const std::string text =
        Printer("   display 370 1 \"a\" \"b\"\n   associations 93 { map 30 selection \"B\" }\n");
    const std::string first = DescriptionCompiler::CompileText("test.qvpd", text);
    // Objects made in between change the process-wide serial counter; the
    // file must not change with it.
    GCountedPtr unrelated = Build("composite 1 { value 2 3; value 4 5 }\n");
    const std::string second = DescriptionCompiler::CompileText("test.qvpd", text);
    EXPECT_EQ(first, second);
    GCountedPtr restored = DataFile::Restore(first);
    ASSERT_TRUE(restored);
    EXPECT_EQ(DataFile::Save(*restored), first);
}

TEST(DataFileBuilderTest, RestoreRefusesClassesOutsideTheDataFile) {
    // A collectable that the data file never holds (the counted-pointer
    // class is not in the list; its class id is 773).
    GCountedPtr root = Build("persistent 0 { value 1 1 }\n");
    NumberSerials(*root);
    std::string bytes = DataFile::Save(*root);
    ASSERT_FALSE(bytes.empty());
    const size_t classId = bytes.find(Bytes({0xFB, 0x02}));
    ASSERT_NE(classId, std::string::npos);
    bytes[classId] = static_cast<char>(0x05); // 763 -> 773
    bytes[classId + 1] = static_cast<char>(0x03);
    EXPECT_FALSE(DataFile::Restore(bytes));
    EXPECT_FALSE(DataFile::Restore(bytes.substr(0, bytes.size() - 1)));
    EXPECT_FALSE(DataFile::Restore(DataFile::Save(*root) + "x"));
}

} // namespace
