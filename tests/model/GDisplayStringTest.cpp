#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "LeafAttributeTestSupport.h"
#include "model/GDisplayString.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWFactory.h"

using namespace leaftest;

TEST(GDisplayStringTest, ConstructionKindsAndNullTexts) {
    GDisplayString plain;
    EXPECT_EQ(plain.GetStringId(), 0);
    EXPECT_EQ(plain.GetText1(), "");
    EXPECT_EQ(plain.GetText2(), "");

    GDisplayString shown(0x1234, nullptr, "Tray 2");
    EXPECT_EQ(shown.GetStringId(), 0x1234);
    EXPECT_EQ(shown.GetText1(), "");
    EXPECT_EQ(shown.GetText2(), "Tray 2");
    shown.SetText1(RWCString("Upper"));
    EXPECT_EQ(shown.GetText1(), "Upper");

    // A value, not an attribute.
    EXPECT_EQ(shown.IsA(), 786);
    EXPECT_TRUE(shown.IsKindOf(751));
    EXPECT_FALSE(shown.IsKindOf(753));
    EXPECT_EQ(RWClassIdToStringId(786), RWStringID("GDisplayString"));
}

TEST(GDisplayStringTest, EqualityComparesIdStringIdAndBothTexts) {
    const GDisplayString base(7, "one", "two");
    const GDisplayString same(7, "one", "two");
    EXPECT_TRUE(base.IsEqualId(&same));
    const GDisplayString differ[] = {GDisplayString(8, "one", "two"), GDisplayString(7, "One", "two"),
                                     GDisplayString(7, "one", "tw"), GDisplayString(7, "two", "one")};
    for (const GDisplayString& other : differ) {
        EXPECT_FALSE(base.IsEqualId(&other));
    }
    GDisplayString otherId(7, "one", "two");
    otherId.SetId(1);
    EXPECT_FALSE(base.IsEqualId(&otherId));

    GDisplayString assigned;
    assigned = base;
    EXPECT_TRUE(assigned.IsEqualId(&base));
    EXPECT_EQ(assigned.GetSerial(), base.GetSerial());
}

TEST(GDisplayStringTest, SavesTheSecondTextFirst) {
    GDisplayString shown(0x0102, "one", "tw");
    shown.SetId(3);
    shown.SetSerial(4);
    const std::string head = Words({1, 3, 4, 1});
    // Raw stream: each text is its length word, then the stream's string
    // output (length again, then the bytes); text2 "tw" before text1 "one";
    // the string id last.
    const std::string stream = head + U32(2) + U32(2) + "tw" + U32(3) + U32(3) + "one" + "\x02\x01";
    EXPECT_EQ(RawGuts(shown), stream);
    const std::string file = head + U32(2) + "tw" + U32(3) + "one" + "\x02\x01";
    EXPECT_EQ(FileGuts(shown), file);
    EXPECT_EQ(shown.BinaryStoreSize(), 12u + 14u + 5u);
    EXPECT_EQ(shown.BinaryStoreSize(), file.size());

    // Read back in the same order.
    GDisplayString restored;
    std::stringbuf buffer(stream);
    RWBinaryInStream in(&buffer);
    restored.RestoreGuts(in);
    EXPECT_TRUE(in.good());
    EXPECT_EQ(restored.GetText1(), "one");
    EXPECT_EQ(restored.GetText2(), "tw");
    EXPECT_EQ(restored.GetStringId(), 0x0102);
}

TEST(GDisplayStringTest, ACutRecordLeavesTheTextsAsTheyWere) {
    GDisplayString shown(5, "keep1", "keep2");
    // text2 complete, text1 cut short.
    std::stringbuf buffer(Words({1, 3, 4, 1}) + U32(2) + U32(2) + "tw" + U32(3) + U32(3) + "o");
    RWBinaryInStream in(&buffer);
    shown.RestoreGuts(in);
    EXPECT_TRUE(in.fail());
    EXPECT_EQ(shown.GetText1(), "keep1");
    EXPECT_EQ(shown.GetText2(), "keep2");
    EXPECT_EQ(shown.GetStringId(), 5);
}
