#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GResourceMapping.h"

using namespace modeltest;
using namespace valuetest;

TEST(GResourceMappingTest, SavedFormIsVersionValue32FirstAndSignedSecond) {
    struct Case {
        const char* what;
        GResourceMapping mapping;
        std::string fields; // after the root words
    };
    Case cases[] = {
        {"default", GResourceMapping(), U32(1) + U32(0x0FFFFFFF) + U16(0) + U16(0)},
        {"negative second", GResourceMapping(0x12345678, 0xABCD, -2, 9),
         U32(1) + U32(0x12345678) + U16(0xABCD) + U16(0xFFFE)},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.mapping.SetSerial(6);
        const std::string expected = Words({1, c.mapping.GetId(), 6}) + c.fields;
        BytesOut out;
        c.mapping.SaveGuts(out.stream);
        EXPECT_EQ(out.Bytes(), expected);
        EXPECT_EQ(c.mapping.BinaryStoreSize(), expected.size());

        GResourceMapping restored(1, 2, 3, 4);
        BytesIn in(expected);
        restored.RestoreGuts(in.stream);
        EXPECT_FALSE(in.stream.fail());
        EXPECT_TRUE(restored.IsEqualId(&c.mapping));
    }
}

TEST(GResourceMappingTest, ACutOffRecordKeepsItsFields) {
    GResourceMapping mapping(1, 2, 3, 4);
    BytesIn in(Words({1, 4, 6, 1, 0x12345678}) + U16(0xABCD));
    mapping.RestoreGuts(in.stream);
    EXPECT_TRUE(in.stream.fail());
    EXPECT_EQ(mapping.GetValue32(), 1u);
    EXPECT_EQ(mapping.GetFirst(), 2u);
    EXPECT_EQ(mapping.GetSecond(), 3);
}

TEST(GResourceMappingTest, EqualityNeedsEveryField) {
    const GResourceMapping base(10, 20, -30, 5);
    struct Case {
        const char* what;
        GResourceMapping other;
        bool equal;
    };
    const Case cases[] = {
        {"same fields", GResourceMapping(10, 20, -30, 5), true},
        {"other id", GResourceMapping(10, 20, -30, 6), false},
        {"other value32", GResourceMapping(11, 20, -30, 5), false},
        {"other first", GResourceMapping(10, 21, -30, 5), false},
        {"other second", GResourceMapping(10, 20, 30, 5), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(base.IsEqualId(&c.other), c.equal);
    }
    GResourceMapping copy(base);
    EXPECT_TRUE(copy.IsEqualId(&base));
    EXPECT_EQ(copy.GetSerial(), base.GetSerial());
    MPersistentObject plain(5);
    EXPECT_FALSE(base.IsEqualId(&plain));
}

TEST(GResourceMappingTest, GraphsRestoreThroughTheFactoryInEveryEncoding) {
    const GResourceMapping mapping(0xFFFFFFFF, 0xFFFF, -32768, 3);
    TempFolder dir;
    for (Encoding encoding : {Encoding::RawBinary, Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(mapping, encoding);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->IsA(), 1004);
        EXPECT_TRUE(restored->IsEqualId(&mapping));
    }
    std::unique_ptr<MPersistentObject> fromFile = FileRoundTrip(mapping, dir.Path("mapping.bin"));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_TRUE(fromFile->IsEqualId(&mapping));
}
