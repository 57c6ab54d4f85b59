#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "model/GRecord.h"
#include "model/GRecordComposite.h"
#include "model/GRecordProxy.h"
#include "model/GRecordRef.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "tests/model/ModelTestObjects.h"
#include "tests/rw/DiskFileTestSupport.h"

using modeltest::TestLeaf;

namespace {
GRecordRef RecordOf(uint32_t id, uint32_t serial) {
    TestLeaf leaf(id);
    leaf.SetSerial(serial);
    return GRecordRef(new GRecord(leaf));
}

Bytes Saved(const RWCollectable& object, const std::string& path) {
    {
        RWBinaryFile file(path.c_str(), "wb+");
        file << &object;
    }
    return ReadFileBytes(path);
}
} // namespace

TEST(GRecordTest, KeyIsTheSerialInLowercaseHex) {
    const struct {
        uint32_t serial;
        const char* key;
    } cases[] = {{255, "ff"}, {26, "1a"}, {1, "1"}, {0, "0"}, {0xFFFFFFFF, "ffffffff"}, {0x10000, "10000"}};
    for (const auto& c : cases)
        EXPECT_EQ(RecordOf(1, c.serial)->KeyText(), RWCString(c.key)) << c.serial;
}

TEST(GRecordTest, RecordTakesTheObjectsClassSerialAndId) {
    TestLeaf leaf(42);
    leaf.SetSerial(7);
    const GRecordRef record(new GRecord(leaf));
    EXPECT_EQ(record->ObjectClassId(), TestLeaf::kClassId);
    EXPECT_EQ(record->Serial(), 7u);
    EXPECT_EQ(record->Id(), 42u);
    EXPECT_TRUE(record->Matches(GRecordQuery::ById(42)));
    EXPECT_TRUE(record->Matches(GRecordQuery::ByClass(TestLeaf::kClassId)));
    EXPECT_TRUE(record->Matches(GRecordQuery::Equal(&leaf)));
    EXPECT_FALSE(record->Matches(GRecordQuery::ById(7)));
    EXPECT_EQ(record->GetRefCount(), 0);
    std::unique_ptr<RWCollectable> copy(record->Copy());
    EXPECT_EQ(static_cast<GRecord*>(copy.get())->Serial(), 7u);
    EXPECT_EQ(static_cast<GRecord*>(copy.get())->GetRefCount(), -1);
}

TEST(GRecordTest, CountsPlainRecordsThroughCompositeOnes) {
    GRecordComposite index;
    index.AddRecord(RecordOf(1, 1));
    index.AddRecord(RecordOf(2, 2));
    GRecordRef composite(new GRecordComposite);
    for (uint32_t i = 3; i <= 5; ++i)
        composite->AddRecord(RecordOf(i, i));
    index.AddRecord(composite);
    EXPECT_EQ(index.Count(), 5u);
    EXPECT_EQ(index.Entries(), 3u);
    EXPECT_EQ(GRecordComposite().Count(), 0u);

    // A copy shares the child records.
    GRecordComposite copy(index);
    EXPECT_EQ(composite->GetRefCount(), 2); // the test, the index and the copy
    EXPECT_EQ(copy.Count(), 5u);
    index.Clear();
    EXPECT_EQ(composite->GetRefCount(), 1);
}

TEST(GRecordTest, SavedFormsAreExact) {
    TempFolder folder;
    const std::string path = folder.Path("record.bin");
    const GRecordRef plain = RecordOf(0x11, 0x22);
    // 783, version 1, class 0x7E01, serial, id (after the magic).
    const Bytes plainBytes = {0x0F, 0x03, 0x01, 0x00, 0x00, 0x00, 0x01, 0x7E,
                              0x22, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00};
    EXPECT_EQ(Saved(*plain, path), Concat({Bytes{0x88, 0x88, 0, 0}, plainBytes}));
    EXPECT_EQ(plain->BinaryStoreSize(), 14u);

    // 785: GRecord's guts, version 1, count 1, the child record.
    TestLeaf leaf(5);
    leaf.SetSerial(6);
    GRecordComposite composite(leaf);
    composite.AddRecord(plain);
    const Bytes compositeBytes = Concat({Bytes{0x88, 0x88, 0, 0, 0x11, 0x03, 1, 0, 0, 0, 0x01, 0x7E, 6, 0,
                                               0,    0,    5, 0, 0,    0,    1, 0, 0, 0, 1,    0,    0, 0},
                                         plainBytes});
    EXPECT_EQ(Saved(composite, path), compositeBytes);
    EXPECT_EQ(composite.RecursiveStoreSize(), compositeBytes.size());

    // 784 without object: GRecord's guts, version 1, the nil object.
    GRecordProxy proxy;
    const Bytes proxyBytes = {0x88, 0x88, 0, 0, 0x10, 0x03, 1, 0, 0, 0,    0,    0, 0, 0, 0,
                              0,    0,    0, 0, 0,    1,    0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0};
    EXPECT_EQ(Saved(proxy, path), proxyBytes);
    EXPECT_EQ(proxy.RecursiveStoreSize(), proxyBytes.size());
}

TEST(GRecordTest, CompositeRecordRoundTripsWithItsChildren) {
    GRecordComposite composite(TestLeaf(9));
    composite.AddRecord(RecordOf(1, 10));
    GRecordRef nested(new GRecordComposite);
    nested->AddRecord(RecordOf(2, 20));
    composite.AddRecord(nested);

    std::stringbuf buffer;
    RWPortableOutStream out(&buffer);
    out << &composite;
    RWPortableInStream in(&buffer);
    RWCollectable* root = nullptr;
    in >> root;
    GRecordRef restored(dynamic_cast<GRecord*>(root));
    ASSERT_TRUE(restored);
    ASSERT_NE(restored->AsRecordComposite(), nullptr);
    EXPECT_EQ(restored->Id(), 9u);
    EXPECT_EQ(restored->Count(), 2u);
    std::vector<uint32_t> serials;
    restored->AsRecordComposite()->ForEach([&serials](GRecord& child) {
        serials.push_back(child.Serial());
        return true;
    });
    EXPECT_EQ(serials.size(), 2u);
    EXPECT_EQ(serials[0], 10u);
}

TEST(GRecordTest, CompositeRecordOfAnotherVersionKeepsItsChildren) {
    TempFolder folder;
    const std::string path = folder.Path("record.bin");
    // 785 whose own version word is 2, followed by a count it must not read.
    WriteFileBytes(path, Bytes{0x88, 0x88, 0, 0, 0x11, 0x03, 1, 0, 0, 0, 0x01, 0x7E, 6, 0,
                               0,    0,    5, 0, 0,    0,    2, 0, 0, 0, 0,    0,    0, 0});
    GRecordComposite composite;
    composite.AddRecord(RecordOf(1, 1));
    RWBinaryFile file(path.c_str(), "rb");
    file >> composite;
    EXPECT_EQ(composite.Entries(), 1u);
    EXPECT_TRUE(file.RestoreFailed());
}
