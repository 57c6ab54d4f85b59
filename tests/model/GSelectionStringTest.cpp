#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GSelectionString.h"

using namespace modeltest;
using namespace valuetest;

TEST(GSelectionStringTest, SavedFormIsVersionTextThenTheValueAsASignedShort) {
    GSelectionString selection("ab", 0x8000, 3);
    selection.SetSerial(5);
    // On a virtual stream the text is its length, then the stream's string
    // output (which repeats the length); in a file only the length once.
    const std::string head = Words({1, 3, 5, 1});
    const std::string streamBytes = head + U32(2) + U32(2) + "ab" + U8(0x00) + U8(0x80);
    const std::string fileBytes = head + U32(2) + "ab" + U8(0x00) + U8(0x80);

    BytesOut out;
    selection.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), streamBytes);
    EXPECT_EQ(selection.BinaryStoreSize(), fileBytes.size());

    TempFolder dir;
    const std::string path = dir.Path("selection.bin");
    {
        RWBinaryFile file(path.c_str(), "wb");
        selection.SaveGuts(file);
    }
    EXPECT_EQ(ReadFileBytes(path), fileBytes);

    GSelectionString fromStream;
    BytesIn in(streamBytes);
    fromStream.RestoreGuts(in.stream);
    EXPECT_FALSE(in.stream.fail());
    EXPECT_EQ(fromStream.GetValue(), 0x8000);
    EXPECT_EQ(fromStream.GetString(), RWCString("ab"));

    GSelectionString fromFile;
    RWBinaryFile file(path.c_str(), "rb");
    fromFile.RestoreGuts(file);
    EXPECT_TRUE(fromFile.IsEqualId(&selection));
}

TEST(GSelectionStringTest, ACutOffRecordKeepsItsFields) {
    const std::string cases[] = {
        Words({1, 3, 5, 1}) + U32(2) + U32(2) + "ab" + U8(0x00),        // value cut
        Words({1, 3, 5, 1}) + U32(0x7FFFFFFF) + U32(0x7FFFFFFF) + "ab", // text longer than the data
    };
    for (const std::string& bytes : cases) {
        GSelectionString selection("old", 7, 3);
        BytesIn in(bytes);
        selection.RestoreGuts(in.stream);
        EXPECT_TRUE(in.stream.fail());
        EXPECT_EQ(selection.GetString(), RWCString("old"));
        EXPECT_EQ(selection.GetValue(), 7);
    }
}

TEST(GSelectionStringTest, EqualityNeedsIdValueAndTheSameBytes) {
    const GSelectionString base("Letter", 1, 4);
    struct Case {
        const char* what;
        GSelectionString other;
        bool equal;
    };
    const Case cases[] = {
        {"same", GSelectionString("Letter", 1, 4), true},
        {"other case", GSelectionString("letter", 1, 4), false},
        {"longer", GSelectionString("Letter ", 1, 4), false},
        {"other value", GSelectionString("Letter", 2, 4), false},
        {"other id", GSelectionString("Letter", 1, 5), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(base.IsEqualId(&c.other), c.equal);
    }
    GSelectionString copy(base);
    EXPECT_TRUE(copy.IsEqualId(&base));
    GSelectionString assigned;
    assigned = base;
    EXPECT_TRUE(assigned.IsEqualId(&base));
    EXPECT_EQ(GSelectionString(nullptr, 0, 0).GetString().Length(), 0u);

    for (Encoding encoding : {Encoding::RawBinary, Encoding::Portable, Encoding::Endian}) {
        SCOPED_TRACE(Name(encoding));
        std::unique_ptr<MPersistentObject> restored = RoundTrip(base, encoding);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->IsA(), 1008);
        EXPECT_TRUE(restored->IsEqualId(&base));
    }
}
