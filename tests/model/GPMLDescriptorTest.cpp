#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GPMLDescriptor.h"

using namespace modeltest;
using namespace valuetest;

TEST(GPMLDescriptorTest, EqualityIgnoresValueAndNarrowName) {
    GPMLDescriptor a(u"Tray1", 1);
    GPMLDescriptor b(u"Tray1", 2);
    b.SetName("other");
    EXPECT_TRUE(a.IsEqualId(&b));
    EXPECT_NE(a.GetSerial(), b.GetSerial());

    GPMLDescriptor otherName(u"Tray2", 1);
    EXPECT_FALSE(a.IsEqualId(&otherName));
    GPMLDescriptor prefix(u"Tray", 1);
    EXPECT_FALSE(a.IsEqualId(&prefix));
    GPMLDescriptor otherId(u"Tray1", 1);
    otherId.SetId(4);
    EXPECT_FALSE(a.IsEqualId(&otherId));
    MPersistentObject plain;
    EXPECT_FALSE(a.IsEqualId(&plain));

    GPMLDescriptor copy(otherId);
    EXPECT_EQ(copy.GetId(), 4u);
    EXPECT_EQ(copy.GetSerial(), otherId.GetSerial());
    EXPECT_TRUE(copy.IsEqualId(&otherId));
}

TEST(GPMLDescriptorTest, OrdersByExactWideName) {
    struct Case {
        const char16_t* left;
        const char16_t* right;
        int less;
    };
    const Case cases[] = {
        {u"Apple", u"Banana", 1}, {u"Banana", u"Apple", 0},
        {u"apple", u"Banana", 0},                       // exact: lower case sorts after upper
        {u"Tray", u"Tray1", 1},   {u"z", u"\u00E9", 1}, // units compare as unsigned values
        {u"same", u"same", 0},
    };
    for (const Case& c : cases) {
        GPMLDescriptor left(c.left, 0), right(c.right, 0);
        EXPECT_EQ(left.IsLessThan(&right), c.less);
    }
    GPMLDescriptor any(u"x", 0);
    MPersistentObject plain;
    EXPECT_EQ(any.IsLessThan(&plain), 0);
}

TEST(GPMLDescriptorTest, SavedFormIsWideNameSignedValueAndNarrowName) {
    GPMLDescriptor descriptor(u"Ab", 0x80000001);
    descriptor.SetId(3);
    descriptor.SetSerial(5);
    descriptor.SetName("n");
    const std::string head = Words({1, 3, 5, 1}) + U32(2) + U16('A') + U16('b') + U32(0x80000001);
    const std::string streamBytes = head + U32(1) + U32(1) + "n";
    const std::string fileBytes = head + U32(1) + "n";

    BytesOut out;
    descriptor.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), streamBytes);
    EXPECT_EQ(descriptor.BinaryStoreSize(), fileBytes.size());
    TempFolder dir;
    const std::string path = dir.Path("descriptor.bin");
    {
        RWBinaryFile file(path.c_str(), "wb");
        descriptor.SaveGuts(file);
    }
    EXPECT_EQ(ReadFileBytes(path), fileBytes);

    GPMLDescriptor restored(u"old", 9);
    BytesIn in(streamBytes);
    restored.RestoreGuts(in.stream);
    EXPECT_FALSE(in.stream.fail());
    EXPECT_TRUE(restored.IsEqualId(&descriptor));
    EXPECT_EQ(restored.GetValue(), 0x80000001u);
    EXPECT_EQ(restored.GetName(), RWCString("n"));

    GPMLDescriptor cut(u"old", 9);
    BytesIn shortIn(head + U32(5));
    cut.RestoreGuts(shortIn.stream);
    EXPECT_TRUE(shortIn.stream.fail());
    EXPECT_EQ(cut.GetWideName(), RWWString(u"old"));
    EXPECT_EQ(cut.GetValue(), 9u);

    for (Encoding encoding : {Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restoredGraph = RoundTrip(descriptor, encoding);
        ASSERT_NE(restoredGraph, nullptr);
        EXPECT_EQ(restoredGraph->IsA(), 956);
        auto* copy = static_cast<GPMLDescriptor*>(restoredGraph.get());
        EXPECT_TRUE(copy->IsEqualId(&descriptor));
        EXPECT_EQ(copy->GetValue(), 0x80000001u);
        EXPECT_EQ(copy->GetName(), RWCString("n"));
    }
}
