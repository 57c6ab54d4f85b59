#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "model/GBookletComposite.h"
#include "rw/RWBinaryFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFile.h"

using namespace modeltest;

namespace {

class GBookletCompositeTest : public ::testing::Test {
protected:
    void SetUp() override { GAddToFactory<GBookletComposite>(); }
};

// The saved words of a list attribute after the GAttribute part, by hand:
// u32 version, i16 first word, i16 second word, u32 count, i16 values.
std::string ListPart(uint32_t version, uint16_t first, uint16_t second, uint32_t count,
                     std::initializer_list<uint16_t> values) {
    std::string bytes = U32(version) + U16(first) + U16(second) + U32(count);
    for (uint16_t v : values)
        bytes += U16(v);
    return bytes;
}

// Root (version 1, id, serial) and GAttribute (version 1, changed) words.
std::string AttributePart(uint32_t id, uint32_t serial, uint32_t changed) {
    return Words({1, id, serial, 1, changed});
}

} // namespace

TEST_F(GBookletCompositeTest, AppendPairAddsBothInOrder) {
    GBookletComposite booklet;
    EXPECT_TRUE(booklet.AppendPair(5, 7));
    EXPECT_EQ(booklet.GetCount(), 2u);
    EXPECT_EQ(booklet.GetAt(0), 5u);
    EXPECT_EQ(booklet.GetAt(1), 7u);
}

TEST_F(GBookletCompositeTest, PairsStopAtTheSixteenBitCount) {
    GBookletComposite booklet;
    for (uint32_t i = 0; i + 2 <= GListAttribute::kMaxCount; i += 2)
        ASSERT_TRUE(booklet.AppendPair(1, 2));
    EXPECT_EQ(booklet.GetCount(), 0xFFFEu);
    EXPECT_FALSE(booklet.AppendPair(3, 4)); // both or neither
    EXPECT_EQ(booklet.GetCount(), 0xFFFEu);
}

TEST_F(GBookletCompositeTest, BinaryFileCarriesTheSameBytesAndRestores) {
    const qvtest::TempFile temp("optmedia.bin");
    const std::string path = temp.Path();
    GBookletComposite booklet(11, 12);
    booklet.SetId(5);
    booklet.SetSerial(6);
    booklet.AppendPair(0x1234, 0x8000);
    {
        RWBinaryFile file(path.c_str(), "wb+");
        ASSERT_TRUE(file.IsValid());
        booklet.SaveGuts(file);
    }
    const std::string bytes = qvtest::ReadFileBytes(path);
    EXPECT_EQ(bytes, AttributePart(5, 6, 1) + ListPart(2, 11, 12, 2, {0x1234, 0x8000}));

    GBookletComposite restored;
    {
        RWBinaryFile file(path.c_str(), "rb");
        ASSERT_TRUE(file.IsValid());
        restored.RestoreGuts(file);
        EXPECT_FALSE(file.Eof());
    }
    EXPECT_TRUE(restored.IsEqualId(&booklet));
    EXPECT_EQ(restored.GetSecondWord(), 12u);
    EXPECT_EQ(restored.GetAt(1), 0x8000u);
}
