#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "LeafAttributeTestSupport.h"
#include "model/GStringAttribute.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWFactory.h"

using namespace leaftest;

TEST(GStringAttributeTest, ConstructorsAndSetTextTakeNullAsEmpty) {
    GStringAttribute plain;
    EXPECT_EQ(plain.GetId(), 0u);
    EXPECT_TRUE(plain.GetValue().IsNull());
    EXPECT_EQ(plain.GetChanged(), 1u);

    GStringAttribute fromNull(static_cast<const char*>(nullptr), 3);
    EXPECT_EQ(fromNull.GetValue(), "");
    EXPECT_EQ(fromNull.GetId(), 3u);

    GStringAttribute text(RWCString("Job"), 4);
    text.SetText(nullptr);
    EXPECT_EQ(text.GetValue(), "");
    text.SetText("Report.pdf");
    EXPECT_EQ(text.GetValue(), "Report.pdf");
    text.SetValue(RWCString("x"));
    EXPECT_EQ(text.GetValue(), "x");

    EXPECT_EQ(text.IsA(), 776);
    EXPECT_EQ(text.GetTypeCode(), 776);
    EXPECT_TRUE(text.IsKindOf(753));
    EXPECT_TRUE(text.IsKindOf(751));
    EXPECT_EQ(RWClassIdToStringId(776), RWStringID("GStringAttribute"));
}

TEST(GStringAttributeTest, CopyAndAssignmentTakeIdSerialChangedAndText) {
    GStringAttribute source("Name", 9);
    source.SetSerial(55);
    source.SetChanged(0);
    GStringAttribute copy(source);
    GStringAttribute assigned("other", 1);
    assigned = source;
    for (const GStringAttribute* object : {&copy, &assigned}) {
        EXPECT_EQ(object->GetId(), 9u);
        EXPECT_EQ(object->GetSerial(), 55u);
        EXPECT_EQ(object->GetChanged(), 0u);
        EXPECT_EQ(object->GetValue(), "Name");
    }
    GStringAttribute& same = assigned;
    assigned = same; // self-assignment keeps everything
    EXPECT_EQ(assigned.GetValue(), "Name");
}

TEST(GStringAttributeTest, EqualityIsByteForByteAndCaseSensitive) {
    const GStringAttribute base("Letter", 2);
    GStringAttribute same("Letter", 2);
    same.SetChanged(0);
    const GStringAttribute upper("LETTER", 2);
    const GStringAttribute longer("Letters", 2);
    const GStringAttribute otherId("Letter", 3);
    EXPECT_TRUE(base.IsEqualId(&same));
    EXPECT_FALSE(base.IsEqualId(&upper));
    EXPECT_FALSE(base.IsEqualId(&longer));
    EXPECT_FALSE(base.IsEqualId(&otherId));

    // Bytes after an embedded NUL count too.
    const GStringAttribute nulB(RWCString("a\0b", 3), 2);
    const GStringAttribute nulC(RWCString("a\0c", 3), 2);
    EXPECT_FALSE(nulB.IsEqualId(&nulC));
}

TEST(GStringAttributeTest, SavedFormIsVersionThenTheLibraryString) {
    GStringAttribute text("abc", 6);
    text.SetSerial(2);
    const std::string head = Words({1, 6, 2, 1, 1, 1});
    // On a stream the string's length word is followed by the stream's own
    // string output, which repeats it; a file has the length once.
    EXPECT_EQ(RawGuts(text), head + U32(3) + U32(3) + "abc");
    EXPECT_EQ(FileGuts(text), head + U32(3) + "abc");
    EXPECT_EQ(text.BinaryStoreSize(), 20u + 8u + 3u);
    EXPECT_EQ(text.BinaryStoreSize(), FileGuts(text).size());
}

TEST(GStringAttributeTest, RestoreRefusesALengthLongerThanTheData) {
    GStringAttribute text("keep", 1);
    std::stringbuf buffer(Words({1, 6, 2, 1, 1, 1}) + U32(0xFFFFFFF0) + U32(0xFFFFFFF0) + "abc");
    RWBinaryInStream stream(&buffer);
    text.RestoreGuts(stream);
    EXPECT_TRUE(stream.fail());
    EXPECT_LT(text.GetValue().Capacity(), 1024u);
}
