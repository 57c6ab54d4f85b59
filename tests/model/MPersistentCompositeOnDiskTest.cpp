#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/GRecordComposite.h"
#include "model/GRecordProxy.h"
#include "model/GStringConversion.h"
#include "model/MPersistentCompositeOnDisk.h"
#include "model/MPersistentCompositeOnDiskFiles.h"
#include "model/MPersistentCompositeOnDiskImp.h"
#include "model/MPersistentCompositeOnDiskIterator.h"
#include "rw/RWDiskBTree.h"
#include "rw/RWFileSpaceManager.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "tests/model/ModelTestObjects.h"
#include "tests/rw/DiskFileTestSupport.h"

using modeltest::TestComposite;
using modeltest::TestLeaf;
using modeltest::TestSubLeaf;

namespace {
using OnDisk = MPersistentCompositeOnDisk;

RWWString Wide(const std::string& text) {
    RWWString wide;
    ConvertNarrowToWide(RWCString(text.c_str()), wide);
    return wide;
}

uint32_t ValueOf(const GCountedPtr& object) {
    const auto* leaf = object.As<TestLeaf>();
    return leaf != nullptr ? leaf->value : 0xFFFFFFFF;
}

class MPersistentCompositeOnDiskTest : public testing::Test {
protected:
    void SetUp() override {
        modeltest::RegisterTestClasses();
        openFiles_ = MPersistentCompositeOnDiskFiles::Entries();
        leaves_ = TestLeaf::live;
    }
    void TearDown() override {
        EXPECT_EQ(MPersistentCompositeOnDiskFiles::Entries(), openFiles_);
        EXPECT_EQ(TestLeaf::live, leaves_);
    }

    std::unique_ptr<OnDisk> Make(const std::string& path, int32_t mode = 0, uint32_t id = 0) {
        return std::make_unique<OnDisk>(Wide(path), &mode, &id);
    }
    // The blob offset under a key of an open composite's file, or kNone.
    static uint32_t BlobOffset(OnDisk& composite, const char* key) {
        RWCString found;
        uint32_t offset = RWDiskBTree::kNone;
        composite.Implementation()->Tree()->FindKeyAndValue(key, found, offset);
        return offset;
    }
    static uint32_t Blobs(OnDisk& composite) { return composite.Implementation()->Tree()->Entries(); }
    static Bytes FileBytes(OnDisk& composite, const std::string& path) {
        composite.Implementation()->File()->Flush();
        return ReadFileBytes(path);
    }
    // The key and value of the index blob of a closed file.
    static uint32_t ClosedIndexOffset(const std::string& path) {
        RWFileSpaceManager heap(path.c_str(), "rb");
        RWDiskBTree tree(heap, 10, false, 16, 0, RWDiskBTree::kNone, 0, 10, 10);
        RWCString found;
        uint32_t offset = RWDiskBTree::kNone;
        tree.FindKeyAndValue("IndexOfRecords", found, offset);
        return offset;
    }
    // A leaf as a blob: magic, class 0x7E01, the root's version, id and
    // serial, the leaf's version and value.
    static Bytes LeafBlob(uint32_t id, uint32_t serial, uint32_t value) {
        Bytes out = {0x88, 0x88, 0x00, 0x00, 0x01, 0x7E};
        for (uint32_t v : {1u, id, serial, 1u, value})
            Put32(out, v);
        return out;
    }
    // A plain record inside a graph: class 783, version, class id, serial, id.
    static Bytes RecordBytes(uint16_t classId, uint32_t serial, uint32_t id) {
        Bytes out = {0x0F, 0x03, 0x01, 0x00, 0x00, 0x00};
        Put16(out, classId);
        Put32(out, serial);
        Put32(out, id);
        return out;
    }

    TempFolder folder_;
    std::string path_ = folder_.Path("records.dat");
    size_t openFiles_ = 0;
    int leaves_ = 0;
};
} // namespace

TEST_F(MPersistentCompositeOnDiskTest, CompositesOnOneNameShareOneFileAndTheLastWritesTheIndex) {
    auto a = Make(path_, 0, 7);
    auto b = Make(path_);
    EXPECT_EQ(a->GetState(), OnDisk::kOpen);
    EXPECT_EQ(a->GetId(), 7u);
    ASSERT_NE(a->Implementation(), nullptr);
    EXPECT_EQ(a->Implementation(), b->Implementation());
    EXPECT_EQ(MPersistentCompositeOnDiskFiles::Entries(), openFiles_ + 1);
    EXPECT_TRUE(a->IsKindOf(781) && a->IsKindOf(751));

    GCountedPtr one(new TestLeaf(1, 5)), two(new TestLeaf(2, 6));
    a->AddCounted(one);
    b->AddCounted(two);
    EXPECT_EQ(a->GetCount(), 2u);
    EXPECT_EQ(b->GetSubtreeSize(), 2u);
    // Each child is one blob under its serial in hexadecimal.
    char key[12];
    std::snprintf(key, sizeof key, "%x", one->GetSerial());
    const uint32_t blob = BlobOffset(*a, key);
    ASSERT_NE(blob, RWDiskBTree::kNone);
    EXPECT_EQ(Slice(FileBytes(*a, path_), blob - 4, 30),
              Concat({Bytes{32, 0, 0, 0}, LeafBlob(1, one->GetSerial(), 5)}));
    EXPECT_EQ(BlobOffset(*a, "IndexOfRecords"), RWDiskBTree::kNone); // only while closed

    a.reset();
    EXPECT_EQ(MPersistentCompositeOnDiskFiles::Entries(), openFiles_ + 1); // b keeps it open
    EXPECT_EQ(b->FindCountedById(1).As<TestLeaf>()->value, 5u);
    b.reset();
    // The index: a record composite of no object, holding the two records.
    const uint32_t index = ClosedIndexOffset(path_);
    ASSERT_NE(index, RWDiskBTree::kNone);
    Bytes expected = {0x88, 0x88, 0x00, 0x00, 0x11, 0x03, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00};
    for (uint32_t v : {0u, 0u, 1u, 2u})
        Put32(expected, v);
    expected = Concat({Bytes{64, 0, 0, 0}, expected, RecordBytes(0x7E01, one->GetSerial(), 1),
                       RecordBytes(0x7E01, two->GetSerial(), 2)});
    EXPECT_EQ(Slice(ReadFileBytes(path_), index - 4, 64), expected);
}

TEST_F(MPersistentCompositeOnDiskTest, ReopeningRestoresTheIndexAndTakesItsKeyAway) {
    GCountedPtr leaf(new TestLeaf(3, 9));
    {
        auto composite = Make(path_);
        composite->AddCounted(leaf);
        composite->AddCounted(GCountedPtr()); // the null object stores nothing
        EXPECT_EQ(composite->GetCount(), 1u);
    }
    const uint32_t index = ClosedIndexOffset(path_);
    {
        auto composite = Make(path_);
        EXPECT_EQ(composite->GetCount(), 1u);
        EXPECT_EQ(composite->GetFileError(), 0);
        EXPECT_EQ(BlobOffset(*composite, "IndexOfRecords"), RWDiskBTree::kNone);
        EXPECT_EQ(Blobs(*composite), 1u);
        GCountedPtr found = composite->FindCountedById(3);
        ASSERT_TRUE(found);
        EXPECT_NE(found.Get(), leaf.Get()); // read back: a new object
        EXPECT_EQ(found->GetSerial(), leaf->GetSerial());
        EXPECT_EQ(ValueOf(found), 9u);
        // The old index's block was freed and is taken again first.
        GCountedPtr other(new TestLeaf(4, 1));
        composite->AddCounted(other);
        char key[12];
        std::snprintf(key, sizeof key, "%x", other->GetSerial());
        EXPECT_EQ(BlobOffset(*composite, key), index);
    }
    EXPECT_NE(ClosedIndexOffset(path_), RWDiskBTree::kNone); // a fresh one
}

TEST_F(MPersistentCompositeOnDiskTest, CompositeChildIsOneBlobPerObjectAndRebuiltOnAFind) {
    auto composite = Make(path_);
    {
        GCountedPtr root(new TestComposite(10));
        root->Add(new TestLeaf(11, 110));
        root->Add(new TestLeaf(12, 120));
        auto* nested = new TestComposite(13);
        nested->Add(new TestLeaf(14, 140));
        root->Add(nested);
        composite->AddCounted(root);
    }
    EXPECT_EQ(Blobs(*composite), 5u);
    EXPECT_EQ(composite->GetCount(), 3u); // plain records count 1, composite records their children

    GCountedPtr rebuilt = composite->FindCountedById(10);
    ASSERT_TRUE(rebuilt);
    ASSERT_NE(rebuilt.As<TestComposite>(), nullptr);
    const GCountedPtrVector& children = rebuilt.As<TestComposite>()->GetChildren();
    ASSERT_EQ(children.Count(), 3u);
    EXPECT_EQ(ValueOf(children.At(0)), 110u);
    EXPECT_EQ(ValueOf(children.At(1)), 120u);
    auto* nested = children.At(2).As<TestComposite>();
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->GetId(), 13u);
    ASSERT_EQ(nested->GetChildren().Count(), 1u);
    EXPECT_EQ(ValueOf(nested->GetChildren().At(0)), 140u);
    EXPECT_EQ(Blobs(*composite), 5u); // a find keeps the blobs

    EXPECT_EQ(ValueOf(composite->FindCountedById(14)), 140u); // found inside the composite's record

    GCountedPtr taken = composite->RemoveCountedById(10);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken.As<TestComposite>()->GetChildren().Count(), 3u);
    EXPECT_EQ(Blobs(*composite), 0u);
    EXPECT_EQ(composite->GetCount(), 0u);
    EXPECT_FALSE(composite->FindCountedById(10));
}

TEST_F(MPersistentCompositeOnDiskTest, TakesByClassInListOrderLookingIntoComposites) {
    auto composite = Make(path_);
    GCountedPtr first(new TestLeaf(1, 1));
    GCountedPtr holder(new TestComposite(2));
    holder->Add(new TestSubLeaf(3));
    holder->Add(new TestLeaf(4, 4));
    GCountedPtr last(new TestLeaf(5, 5));
    for (const GCountedPtr* p : {&first, &holder, &last})
        composite->AddCounted(*p);

    EXPECT_EQ(composite->RemoveCountedByClass(TestLeaf::kClassId)->GetId(), 1u);
    EXPECT_EQ(composite->RemoveCountedByClass(TestLeaf::kClassId)->GetId(), 4u); // depth-first
    EXPECT_EQ(composite->RemoveCountedByClass(TestLeaf::kClassId)->GetId(), 5u);
    EXPECT_FALSE(composite->RemoveCountedByClass(TestLeaf::kClassId));
    EXPECT_EQ(composite->FindCountedByClass(TestSubLeaf::kClassId)->GetId(), 3u);
    EXPECT_EQ(composite->RemoveCountedEqual(holder.Get())->GetId(), 2u);
    EXPECT_EQ(composite->GetCount(), 0u);
    EXPECT_EQ(Blobs(*composite), 0u);
}

TEST_F(MPersistentCompositeOnDiskTest, ReplacedChildKeepsItsPlace) {
    auto composite = Make(path_);
    GCountedPtr root(new TestComposite(10));
    root->Add(new TestLeaf(11, 1));
    root->Add(new TestLeaf(12, 2));
    composite->AddCounted(root);
    composite->AddCounted(GCountedPtr(new TestLeaf(20, 3)));

    EXPECT_EQ(composite->ReplaceCountedById(12, GCountedPtr(new TestLeaf(12, 77))), 1);
    EXPECT_EQ(composite->ReplaceCountedById(20, GCountedPtr(new TestLeaf(21, 88))), 1);
    EXPECT_EQ(composite->ReplaceCountedById(999, GCountedPtr(new TestLeaf(1, 1))), 0);

    GCountedPtr rebuilt = composite->FindCountedById(10);
    const GCountedPtrVector& children = rebuilt.As<TestComposite>()->GetChildren();
    ASSERT_EQ(children.Count(), 2u);
    EXPECT_EQ(ValueOf(children.At(1)), 77u); // in the old child's place
    EXPECT_EQ(ValueOf(composite->FindCountedById(21)), 88u);
    EXPECT_FALSE(composite->FindCountedById(20));
    EXPECT_EQ(composite->GetCount(), 3u);
    EXPECT_EQ(Blobs(*composite), 4u);
}

TEST_F(MPersistentCompositeOnDiskTest, SecondBlobOfASerialIsRefusedWithoutLeavingAnything) {
    auto composite = Make(path_);
    GCountedPtr leaf(new TestLeaf(1, 5));
    composite->AddCounted(leaf);
    const Bytes before = FileBytes(*composite, path_);

    // A copy keeps its source's serial.
    GCountedPtr copy(static_cast<TestLeaf*>(leaf->Copy()));
    copy.As<TestLeaf>()->value = 6;
    composite->AddCounted(copy);
    EXPECT_EQ(composite->GetFileError(), 1);
    EXPECT_EQ(composite->GetCount(), 1u);
    EXPECT_EQ(FileBytes(*composite, path_), before); // no block taken, nothing written
    EXPECT_EQ(ValueOf(composite->FindCountedById(1)), 5u);

    // Once the flag is set no more records are made.
    composite->AddCounted(GCountedPtr(new TestLeaf(2, 2)));
    EXPECT_EQ(composite->GetCount(), 1u);
}

TEST_F(MPersistentCompositeOnDiskTest, CompositeHoldingAChildTwiceLeavesNoBlobBehind) {
    auto composite = Make(path_);
    composite->AddCounted(GCountedPtr(new TestLeaf(1, 1)));
    const uint32_t blobs = Blobs(*composite);
    const int32_t end = composite->Implementation()->File()->EndOfUsedSpace();
    GCountedPtr twice(new TestComposite(2));
    GCountedPtr child(new TestLeaf(3, 3));
    twice->Add(child.Get());
    twice->Add(child.Get());
    composite->AddCounted(twice);
    EXPECT_EQ(composite->GetFileError(), 1);
    EXPECT_EQ(composite->GetCount(), 1u);
    EXPECT_EQ(Blobs(*composite), blobs);
    // The first child's blob was written and freed again: back at the end.
    EXPECT_EQ(composite->Implementation()->File()->EndOfUsedSpace(), end);
}

TEST_F(MPersistentCompositeOnDiskTest, RemoveAllLeavesAFreshFile) {
    auto composite = Make(path_);
    for (uint32_t i = 0; i < 30; ++i)
        composite->AddCounted(GCountedPtr(new TestLeaf(i, i)));
    composite->RemoveAll();
    EXPECT_EQ(composite->GetCount(), 0u);
    // The heap of a new file with the tree's header as its first block.
    Bytes expected = Concat({HeapHeader(284, 324, 268), FreeListBlock(32, {}, 12), Bytes{44, 0, 0, 0}});
    for (uint32_t v : {0xFFFFFFFFu, 0xFFFFFFFFu, 512u, 0u, 16u, 10u, 10u, 0xFFFFFFFFu, 0u, 0u})
        Put32(expected, v);
    EXPECT_EQ(FileBytes(*composite, path_), expected);
    composite->AddCounted(GCountedPtr(new TestLeaf(1, 2)));
    EXPECT_EQ(ValueOf(composite->FindCountedById(1)), 2u);
}

TEST_F(MPersistentCompositeOnDiskTest, ModeOneDeletesTheFileOnceItIsClosed) {
    {
        auto composite = Make(path_, OnDisk::kDeleteFile);
        composite->AddCounted(GCountedPtr(new TestLeaf(1, 1)));
        EXPECT_TRUE(std::filesystem::exists(path_));
    }
    EXPECT_FALSE(std::filesystem::exists(path_));

    // While another composite still uses the file, it stays.
    auto keeper = Make(path_);
    { auto composite = Make(path_, OnDisk::kDeleteFile); }
    EXPECT_TRUE(std::filesystem::exists(path_));
}

TEST_F(MPersistentCompositeOnDiskTest, RestoredCompositeIsOpenOnTheSavedName) {
    auto composite = Make(path_, 0, 0x21);
    composite->Close();
    EXPECT_EQ(composite->GetState(), OnDisk::kClosed);
    // Saved closed: root (version, id, serial), version, state 2, the name
    // (length, characters), mode.
    const std::string savedPath = folder_.Path("saved.bin");
    {
        RWBinaryFile file(savedPath.c_str(), "wb+");
        composite->SaveGuts(file);
    }
    Bytes expected;
    for (uint32_t v : {1u, 0x21u, composite->GetSerial(), 1u, 2u, static_cast<uint32_t>(path_.size())})
        Put32(expected, v);
    expected.insert(expected.end(), path_.begin(), path_.end());
    Put32(expected, 0);
    EXPECT_EQ(ReadFileBytes(savedPath), expected);
    EXPECT_EQ(composite->BinaryStoreSize(), 12 + 16 + path_.size());

    std::stringbuf buffer;
    RWPortableOutStream text(&buffer);
    text << composite.get();
    RWPortableInStream in(&buffer);
    RWCollectable* root = nullptr;
    in >> root;
    std::unique_ptr<OnDisk> restored(dynamic_cast<OnDisk*>(root));
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->GetState(), OnDisk::kOpen);
    EXPECT_EQ(restored->GetFileName(), RWCString(path_.c_str()));
    restored->AddCounted(GCountedPtr(new TestLeaf(1, 4)));
    EXPECT_EQ(ValueOf(composite->FindCountedById(1)), 4u); // the same file
}

TEST_F(MPersistentCompositeOnDiskTest, NestedOnDiskCompositeIsSearchedThroughItsOwnFile) {
    const std::string innerPath = folder_.Path("inner.dat");
    {
        auto outer = Make(path_);
        auto inner = Make(innerPath, 0, 40);
        inner->AddCounted(GCountedPtr(new TestLeaf(50, 500)));
        outer->AddCounted(GCountedPtr(static_cast<OnDisk*>(inner->Copy())));
        // The outer record is a proxy holding a copy that shares the file.
        GRecord* record = nullptr;
        outer->Implementation()->Index().ForEach([&record](GRecord& r) {
            record = &r;
            return false;
        });
        ASSERT_NE(dynamic_cast<GRecordProxy*>(record), nullptr);
        EXPECT_EQ(ValueOf(outer->FindCountedById(50)), 500u);
    }
    // Reopened: the proxy's composite comes back from the index and opens
    // its own file when asked.
    auto outer = Make(path_);
    EXPECT_EQ(ValueOf(outer->FindCountedById(50)), 500u);
    GCountedPtr inner = outer->FindCountedById(40);
    ASSERT_NE(inner.As<OnDisk>(), nullptr);
    EXPECT_EQ(inner.As<OnDisk>()->GetCount(), 1u);
}

TEST_F(MPersistentCompositeOnDiskTest, IteratorWalksTheTopLevelRecords) {
    auto composite = Make(path_);
    for (uint32_t i = 1; i <= 3; ++i)
        composite->AddCounted(GCountedPtr(new TestLeaf(i, 10 * i)));
    std::unique_ptr<MPersistentIterator> base = composite->CreateIterator();
    auto* it = dynamic_cast<MPersistentCompositeOnDiskIterator*>(base.get());
    ASSERT_NE(it, nullptr);
    std::vector<uint32_t> values;
    while (it->Advance()) {
        EXPECT_EQ(it->Current(), nullptr); // nothing lives in memory
        values.push_back(ValueOf(it->CountedCurrent()));
    }
    EXPECT_EQ(values, (std::vector<uint32_t>{10, 20, 30}));

    ASSERT_TRUE(it->Advance());
    ASSERT_TRUE(it->Advance());
    EXPECT_EQ(ValueOf(it->RemoveCurrent()), 20u);
    EXPECT_EQ(ValueOf(it->CountedCurrent()), 10u); // stepped back
    it->ReplaceCurrent(new TestLeaf(1, 11));
    EXPECT_EQ(ValueOf(composite->FindCountedById(1)), 11u);
    EXPECT_FALSE(it->Retreat());
    EXPECT_EQ(composite->GetCount(), 2u);
    EXPECT_EQ(Blobs(*composite), 2u);
}

TEST_F(MPersistentCompositeOnDiskTest, DamagedFilesRaiseTheLibraryErrorAndStayAsTheyWere) {
    {
        auto composite = Make(path_);
        composite->AddCounted(GCountedPtr(new TestLeaf(1, 1)));
    }
    const uint32_t index = ClosedIndexOffset(path_);
    const Bytes good = ReadFileBytes(path_);
    const struct {
        const char* what;
        size_t at;
        Bytes bytes;
    } cases[] = {
        {"index blob overwritten", index, Bytes(20, 0xEE)},
        // The index's child count claims more records than the blob holds.
        {"index cut short", index + 24, Bytes{0xFF, 0, 0, 0}},
        {"not a heap at all", 8, Bytes{0x41, 0x41, 0x41, 0x41}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = good;
        std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.at));
        WriteFileBytes(path_, bytes);
        EXPECT_THROW(Make(path_), RWLibraryError);
        EXPECT_EQ(ReadFileBytes(path_), bytes);
        EXPECT_EQ(MPersistentCompositeOnDiskFiles::Entries(), openFiles_);
    }
}

TEST_F(MPersistentCompositeOnDiskTest, FileThatCannotBeOpenedGivesTheErrorFlag) {
    auto composite = Make(folder_.Path("missing/records.dat"));
    EXPECT_EQ(composite->GetFileError(), 1);
    composite->AddCounted(GCountedPtr(new TestLeaf(1, 1)));
    EXPECT_EQ(composite->GetCount(), 0u);
    EXPECT_FALSE(composite->FindCountedById(1));
}

TEST_F(MPersistentCompositeOnDiskTest, CompositeIsNotStoredInsideItsOwnFile) {
    auto composite = Make(path_);
    composite->AddCounted(GCountedPtr(static_cast<OnDisk*>(composite->Copy())));
    EXPECT_EQ(composite->GetCount(), 0u);
    EXPECT_EQ(composite->GetFileError(), 1);
}

TEST_F(MPersistentCompositeOnDiskTest, FilesHoldingEachOtherDoNotLoopForEver) {
    const std::string otherPath = folder_.Path("other.dat");
    auto a = Make(path_);
    auto b = Make(otherPath);
    a->AddCounted(GCountedPtr(static_cast<OnDisk*>(b->Copy())));
    b->AddCounted(GCountedPtr(static_cast<OnDisk*>(a->Copy())));
    EXPECT_FALSE(a->FindCountedById(77)); // asked round the two files, then given up
    EXPECT_FALSE(a->RemoveCountedById(77));
    EXPECT_EQ(a->ReplaceCountedById(77, GCountedPtr(new TestLeaf(1, 1))), 0);
    // The proxies hold each other's files open: empty both indexes first.
    a->RemoveAll();
    b->RemoveAll();
}
