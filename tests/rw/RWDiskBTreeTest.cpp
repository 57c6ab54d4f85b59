#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "rw/RWCString.h"
#include "rw/RWDiskBTree.h"
#include "rw/RWFileSpaceManager.h"
#include "rw/RWLibraryError.h"
#include "tests/rw/DiskFileTestSupport.h"
#include "tests/support/ProcessIo.h"

namespace {
constexpr uint32_t kNone = 0xFFFFFFFF;
// Blocks of a fresh file with the composite's tree (K 16, N 10): the header
// block at 280 (length word 44), then nodes of 488 bytes in blocks of 492.
constexpr uint32_t kHeader = 284;
constexpr uint32_t kFirstNode = 328;
constexpr uint32_t kSecondNode = 820;
constexpr uint32_t kThirdNode = 1312;

std::string Key(int i) {
    return "k" + std::string(i < 10 ? "0" : "") + std::to_string(i);
}

// One node of order 10 with 16-byte keys, spelled out from its layout.
Bytes NodeBytes(const std::vector<std::string>& keys, const std::vector<uint32_t>& values,
                const std::vector<uint32_t>& children = {}) {
    Bytes out;
    Put32(out, static_cast<uint32_t>(keys.size()));
    for (size_t i = 0; i < 21; ++i)
        Put32(out, i < children.size() ? children[i] : kNone);
    for (size_t i = 0; i < 20; ++i)
        Put32(out, i < values.size() ? values[i] : 0);
    for (size_t i = 0; i < 20; ++i) {
        const std::string key = i < keys.size() ? keys[i] : "";
        for (size_t b = 0; b < 16; ++b)
            out.push_back(b < key.size() ? static_cast<uint8_t>(key[b]) : 0);
    }
    return out;
}

std::vector<std::string> Keys(int from, int to) {
    std::vector<std::string> keys;
    for (int i = from; i <= to; ++i)
        keys.push_back(Key(i));
    return keys;
}

std::vector<uint32_t> Values(int from, int to) {
    std::vector<uint32_t> values;
    for (int i = from; i <= to; ++i)
        values.push_back(100 + static_cast<uint32_t>(i));
    return values;
}

std::vector<std::pair<std::string, uint32_t>> Contents(RWDiskBTree& tree) {
    std::vector<std::pair<std::string, uint32_t>> all;
    tree.Apply(
        [](const char* key, uint32_t value, void* argument) {
            static_cast<std::vector<std::pair<std::string, uint32_t>>*>(argument)->emplace_back(key, value);
        },
        &all);
    return all;
}

class RWDiskBTreeTest : public testing::Test {
protected:
    // The tree as the on-disk composite opens it.
    void Open(const char* mode = nullptr) {
        tree_.reset();
        heap_ = std::make_unique<RWFileSpaceManager>(path_.c_str(), mode);
        tree_ = std::make_unique<RWDiskBTree>(*heap_, 10, false, 16, 0, kNone, 0, 10, 10);
    }
    void Close() {
        tree_.reset();
        heap_.reset();
    }
    void InsertRange(int from, int to) {
        for (int i = from; i <= to; ++i)
            ASSERT_TRUE(tree_->InsertKeyAndValue(Key(i).c_str(), 100 + static_cast<uint32_t>(i)));
    }
    bool Find(const std::string& key, uint32_t* value = nullptr) {
        RWCString found;
        uint32_t v = 0;
        const bool hit = tree_->FindKeyAndValue(key.c_str(), found, v);
        if (value != nullptr) *value = v;
        return hit;
    }
    void RemoveKey(const std::string& key) {
        RWCString removed;
        uint32_t value = 0;
        ASSERT_TRUE(tree_->Remove(key.c_str(), removed, value)) << key;
        EXPECT_EQ(removed, RWCString(key.c_str()));
    }
    Bytes FileBytes() {
        heap_->Flush();
        return ReadFileBytes(path_);
    }

    TempFolder folder_;
    std::string path_ = folder_.Path("tree.dat");
    std::unique_ptr<RWFileSpaceManager> heap_;
    std::unique_ptr<RWDiskBTree> tree_;
};
} // namespace

TEST_F(RWDiskBTreeTest, FreshFileGetsTheHeaderAsItsFirstBlock) {
    Open();
    EXPECT_EQ(tree_->HeaderOffset(), kHeader);
    const Bytes bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 324u);
    EXPECT_EQ(Get32(bytes, 0), kHeader); // the heap's first block
    EXPECT_EQ(Get32(bytes, 280), 44u);
    const Bytes header = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00,
                          0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00,
                          0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(Slice(bytes, kHeader, 40), header);
    EXPECT_EQ(tree_->Entries(), 0u);
    EXPECT_EQ(tree_->Height(), 0u);
}

TEST_F(RWDiskBTreeTest, FirstInsertMakesARootLeaf) {
    Open();
    ASSERT_TRUE(tree_->InsertKeyAndValue("a", 7));
    const Bytes bytes = FileBytes();
    EXPECT_EQ(Get32(bytes, kHeader), kFirstNode); // root written at once
    EXPECT_EQ(Get32(bytes, kFirstNode - 4), 492u);
    EXPECT_EQ(Slice(bytes, kFirstNode, 488), NodeBytes({"a"}, {7}));
    EXPECT_EQ(tree_->Height(), 1u);
}

TEST_F(RWDiskBTreeTest, TwentyFirstKeySplitsTheRootLeaf) {
    Open();
    InsertRange(0, 19);
    EXPECT_EQ(tree_->Height(), 1u);
    InsertRange(20, 20);
    EXPECT_EQ(tree_->Height(), 2u);
    EXPECT_EQ(tree_->Entries(), 21u);
    const Bytes bytes = FileBytes();
    EXPECT_EQ(Get32(bytes, kHeader), kThirdNode);
    EXPECT_EQ(Slice(bytes, kThirdNode, 488), NodeBytes({Key(10)}, {110}, {kFirstNode, kSecondNode}));
    EXPECT_EQ(Slice(bytes, kFirstNode, 488), NodeBytes(Keys(0, 9), Values(0, 9)));
    EXPECT_EQ(Slice(bytes, kSecondNode, 488), NodeBytes(Keys(11, 20), Values(11, 20)));
}

TEST_F(RWDiskBTreeTest, SplitMedianDependsOnWhereTheNewKeyFalls) {
    // A full leaf of a00, a02, ..., a38; the new key lands at position p.
    const struct {
        std::string key;
        std::string median;
    } cases[] = {
        {"a05", "a18"}, // p = 3 < N: the node's old key N-1 goes up
        {"a19", "a19"}, // p = N: the new key itself goes up
        {"a25", "a20"}, // p = 13 > N: key N goes up
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        Close();
        std::remove(path_.c_str());
        Open();
        std::vector<std::string> all;
        for (int i = 0; i < 40; i += 2) {
            const std::string key = std::string("a") + (i < 10 ? "0" : "") + std::to_string(i);
            all.push_back(key);
            ASSERT_TRUE(tree_->InsertKeyAndValue(key.c_str(), static_cast<uint32_t>(i)));
        }
        ASSERT_TRUE(tree_->InsertKeyAndValue(c.key.c_str(), 999));
        all.push_back(c.key);
        std::sort(all.begin(), all.end());
        const auto at = std::find(all.begin(), all.end(), c.median) - all.begin();
        ASSERT_EQ(at, 10);
        const Bytes bytes = FileBytes();
        const uint32_t root = Get32(bytes, kHeader);
        EXPECT_EQ(Get32(bytes, root), 1u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[root + 168])), c.median);
        // Both halves hold 10 keys, the lower ten and the upper ten.
        EXPECT_EQ(Get32(bytes, kFirstNode), 10u);
        EXPECT_EQ(Get32(bytes, kSecondNode), 10u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[kFirstNode + 168])), all[0]);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[kSecondNode + 168])), all[11]);
        EXPECT_EQ(Contents(*tree_).size(), 21u);
    }
}

TEST_F(RWDiskBTreeTest, FindsReplacesAndRefusesDuplicates) {
    Open();
    InsertRange(0, 30);
    uint32_t value = 0;
    EXPECT_TRUE(Find(Key(17), &value));
    EXPECT_EQ(value, 117u);
    EXPECT_FALSE(Find("k99", &value));
    EXPECT_EQ(value, kNone);
    EXPECT_FALSE(tree_->InsertKeyAndValue(Key(17).c_str(), 5));
    EXPECT_EQ(tree_->Entries(), 31u);
    uint32_t old = 0;
    EXPECT_TRUE(tree_->ReplaceValue(Key(17).c_str(), 5, old));
    EXPECT_EQ(old, 117u);
    EXPECT_TRUE(Find(Key(17), &value));
    EXPECT_EQ(value, 5u);
    EXPECT_FALSE(tree_->ReplaceValue("zz", 1, old));
}

// A lookup reads from the file only the nodes of its path that are not in
// the cache, one read of one node each, and writes nothing.
TEST_F(RWDiskBTreeTest, LookupsReadOnlyTheNodesTheCacheMisses) {
    Open();
    // The nodes go behind a large block, beyond what opening the heap reads
    // ahead with its header.
    ASSERT_NE(heap_->Allocate(16384), RWFileSpaceManager::kNoOffset);
    InsertRange(1, 21); // a root holding k11 over two leaves
    Close();
    Open();
    ASSERT_TRUE(Find(Key(11)));
    const struct {
        std::string key;
        bool found;
        qvtest::ProcessIo io;
    } lookups[] = {
        {Key(11), true, {0, 0, 0, 0}},   // the root, cached
        {Key(5), true, {1, 488, 0, 0}},  // the left leaf, read
        {Key(3), true, {0, 0, 0, 0}},    // the left leaf again
        {"k00", false, {0, 0, 0, 0}},    // missing, in the cached left leaf
        {Key(15), true, {1, 488, 0, 0}}, // the right leaf, read
    };
    for (const auto& lookup : lookups) {
        bool found = false;
        EXPECT_EQ(qvtest::CountIo([&] { found = Find(lookup.key); }), lookup.io) << lookup.key;
        EXPECT_EQ(found, lookup.found) << lookup.key;
    }
}

TEST_F(RWDiskBTreeTest, EntryCountSurvivesReopeningWhenTheRootDidNotMove) {
    Open();
    InsertRange(0, 4); // only the first insert moved the root
    RemoveKey(Key(2));
    Close();
    Open(); // "rb+": the count was still written back
    EXPECT_EQ(tree_->Entries(), 4u);
    EXPECT_EQ(Get32(FileBytes(), kHeader + 12), 4u);
    EXPECT_TRUE(Find(Key(4)));
    EXPECT_FALSE(Find(Key(2)));
}

TEST_F(RWDiskBTreeTest, ReadOnlyOpenWritesNothingBack) {
    Open();
    InsertRange(0, 2);
    Close();
    const Bytes before = ReadFileBytes(path_);
    Open("rb");
    EXPECT_EQ(tree_->Entries(), 3u);
    EXPECT_TRUE(Find(Key(1)));
    Close();
    EXPECT_EQ(ReadFileBytes(path_), before);
}

TEST_F(RWDiskBTreeTest, ShortLeafBorrowsFromARightSiblingThatCanLend) {
    Open();
    InsertRange(0, 21); // leaves k00..k09 and k11..k21 under k10
    RemoveKey(Key(0));
    const Bytes bytes = FileBytes();
    EXPECT_EQ(Slice(bytes, kThirdNode, 488), NodeBytes({Key(11)}, {111}, {kFirstNode, kSecondNode}));
    EXPECT_EQ(Slice(bytes, kFirstNode, 488), NodeBytes(Keys(1, 10), Values(1, 10)));
    EXPECT_EQ(Slice(bytes, kSecondNode, 488), NodeBytes(Keys(12, 21), Values(12, 21)));
}

TEST_F(RWDiskBTreeTest, LastChildBorrowsFromItsLeftSibling) {
    Open();
    InsertRange(0, 20);
    ASSERT_TRUE(tree_->InsertKeyAndValue("k095", 95)); // the left leaf now holds 11
    RemoveKey(Key(20));
    const Bytes bytes = FileBytes();
    EXPECT_EQ(Slice(bytes, kThirdNode, 488), NodeBytes({"k095"}, {95}, {kFirstNode, kSecondNode}));
    EXPECT_EQ(Slice(bytes, kFirstNode, 488), NodeBytes(Keys(0, 9), Values(0, 9)));
    EXPECT_EQ(Slice(bytes, kSecondNode, 488), NodeBytes(Keys(10, 19), Values(10, 19)));
}

TEST_F(RWDiskBTreeTest, SiblingsThatCannotLendMergeAndTheEmptyRootGoes) {
    Open();
    InsertRange(0, 20);
    RemoveKey(Key(0));
    EXPECT_EQ(tree_->Height(), 1u);
    EXPECT_EQ(tree_->RootOffset(), kFirstNode);
    const Bytes bytes = FileBytes();
    EXPECT_EQ(Get32(bytes, kHeader), kFirstNode);
    EXPECT_EQ(Slice(bytes, kFirstNode, 488), NodeBytes(Keys(1, 20), Values(1, 20)));
    // The right leaf's block went to the free list; the old root, last in
    // the file, gave its space back to the end.
    EXPECT_EQ(Get32(bytes, 4), 1308u);
    EXPECT_EQ(Slice(bytes, 12, 268), FreeListBlock(32, {{816, 492}}, 12));
}

TEST_F(RWDiskBTreeTest, KeyInAnInnerNodeIsReplacedByItsSuccessor) {
    Open();
    InsertRange(0, 21);
    RemoveKey(Key(10));
    const Bytes bytes = FileBytes();
    EXPECT_EQ(Slice(bytes, kThirdNode, 488), NodeBytes({Key(11)}, {111}, {kFirstNode, kSecondNode}));
    EXPECT_EQ(Slice(bytes, kSecondNode, 488), NodeBytes(Keys(12, 21), Values(12, 21)));
}

TEST_F(RWDiskBTreeTest, RemovingTheLastKeyEmptiesTheTree) {
    Open();
    InsertRange(0, 0);
    RemoveKey(Key(0));
    EXPECT_EQ(tree_->RootOffset(), kNone);
    EXPECT_EQ(tree_->Height(), 0u);
    const Bytes bytes = FileBytes();
    EXPECT_EQ(Get32(bytes, kHeader), kNone);
    EXPECT_EQ(Get32(bytes, 4), 324u); // the leaf's block went back to the end
    RWCString removed;
    uint32_t value = 0;
    EXPECT_FALSE(tree_->Remove("k00", removed, value));
}

TEST_F(RWDiskBTreeTest, RandomInsertsAndRemovesKeepEveryKeyInOrder) {
    Open();
    tree_->SetCacheBlocks(3); // small enough to evict all the time
    std::mt19937 random(7);
    std::map<std::string, uint32_t> expected;
    std::vector<std::string> keys;
    for (uint32_t i = 0; i < 1500; ++i) {
        const std::string key = std::to_string(random() % 100000);
        const bool fresh = expected.emplace(key, i).second;
        EXPECT_EQ(tree_->InsertKeyAndValue(key.c_str(), i), fresh);
        if (fresh) keys.push_back(key);
    }
    std::shuffle(keys.begin(), keys.end(), random);
    for (size_t i = 0; i < keys.size() / 2; ++i) {
        RemoveKey(keys[i]);
        expected.erase(keys[i]);
    }
    Close();
    Open();
    EXPECT_EQ(tree_->Entries(), expected.size());
    const std::vector<std::pair<std::string, uint32_t>> inOrder(expected.begin(), expected.end());
    EXPECT_EQ(Contents(*tree_), inOrder);
    for (const auto& [key, value] : expected) {
        uint32_t found = 0;
        EXPECT_TRUE(Find(key, &found));
        EXPECT_EQ(found, value);
    }
    for (const auto& [key, value] : expected)
        RemoveKey(key);
    EXPECT_EQ(tree_->Entries(), 0u);
    EXPECT_EQ(tree_->RootOffset(), kNone);
}

TEST_F(RWDiskBTreeTest, ClearAllFreesEveryNode) {
    Open();
    InsertRange(0, 40);
    tree_->ClearAll();
    EXPECT_EQ(tree_->Entries(), 0u);
    EXPECT_EQ(tree_->Height(), 0u);
    // Every node block is free again: the free extents cover all the space
    // behind the header block.
    const Bytes bytes = FileBytes();
    uint32_t free = 0;
    for (uint32_t i = 0; i < Get32(bytes, 12 + 260); ++i)
        free += Get32(bytes, 12 + 132 + 4 * i);
    EXPECT_EQ(free, static_cast<uint32_t>(heap_->EndOfUsedSpace()) - 324);
    EXPECT_EQ(Slice(bytes, kHeader, 16), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x02,
                                                0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    InsertRange(0, 0);
    EXPECT_TRUE(Find(Key(0)));
}

TEST_F(RWDiskBTreeTest, BinaryKeysCompareAllTheirBytes) {
    heap_ = std::make_unique<RWFileSpaceManager>(path_.c_str());
    tree_ = std::make_unique<RWDiskBTree>(*heap_, 4, true, 4, RWDiskBTree::kBinaryKeys);
    const char a[4] = {0, 0, 0, 1}, b[4] = {0, 0, 0, 2}, c[4] = {0, 1, 0, 0};
    EXPECT_TRUE(tree_->InsertKeyAndValue(c, 3));
    EXPECT_TRUE(tree_->InsertKeyAndValue(b, 2));
    EXPECT_TRUE(tree_->InsertKeyAndValue(a, 1));
    RWCString found;
    uint32_t value = 0;
    EXPECT_TRUE(tree_->FindKeyAndValue(b, found, value));
    EXPECT_EQ(value, 2u);
    EXPECT_EQ(found, RWCString(b, 4));
    const auto contents = Contents(*tree_);
    ASSERT_EQ(contents.size(), 3u);
    EXPECT_EQ(contents[0].second, 1u);
    EXPECT_EQ(contents[2].second, 3u);
}

TEST_F(RWDiskBTreeTest, TextKeysAreBoundedByTheKeyLength) {
    Open();
    // 16 characters fill the key; the 17th is not part of it.
    ASSERT_TRUE(tree_->InsertKeyAndValue("0123456789abcdefX", 1));
    EXPECT_FALSE(tree_->InsertKeyAndValue("0123456789abcdefY", 2));
    RWCString found;
    uint32_t value = 0;
    ASSERT_TRUE(tree_->FindKeyAndValue("0123456789abcdef", found, value));
    EXPECT_EQ(found, RWCString("0123456789abcdef"));
}

TEST_F(RWDiskBTreeTest, HeaderlessModeKeepsTheRootInTheFirstBlock) {
    {
        RWFileSpaceManager heap(path_.c_str());
        RWDiskBTree tree(heap, 4, false, 16, 0, kNone, 1, 10, 10);
        EXPECT_TRUE(tree.IsHeaderless());
        heap.Flush();
        Bytes bytes = ReadFileBytes(path_);
        EXPECT_EQ(Get32(bytes, 0), 284u);    // a 4-byte first block...
        EXPECT_EQ(Get32(bytes, 280), 8u);    // ...
        EXPECT_EQ(Get32(bytes, 284), kNone); // holding root -1
        for (int i = 0; i < 25; ++i)
            tree.InsertKeyAndValue(Key(i).c_str(), static_cast<uint32_t>(i));
    }
    RWFileSpaceManager heap(path_.c_str());
    RWDiskBTree tree(heap, 4, false, 16, 0, kNone, 1, 10, 10);
    EXPECT_EQ(tree.Entries(), 25u); // counted by a walk
    EXPECT_EQ(Get32(ReadFileBytes(path_), 284), tree.RootOffset());
}

TEST_F(RWDiskBTreeTest, WrongHeaderVersionFallsBackToHeaderlessMode) {
    {
        RWFileSpaceManager heap(path_.c_str());
        RWDiskBTree tree(heap, 4, false, 16, 0, kNone, 1, 10, 10);
        tree.InsertKeyAndValue("x", 1);
    }
    // A header offset that points at a block whose version word is no 512:
    // the first block (root) and the node behind it.
    RWFileSpaceManager heap(path_.c_str());
    RWDiskBTree tree(heap, 4, false, 16, 0, 284, 0, 10, 10);
    EXPECT_TRUE(tree.IsHeaderless());
    RWCString found;
    uint32_t value = 0;
    EXPECT_TRUE(tree.FindKeyAndValue("x", found, value));
}

TEST_F(RWDiskBTreeTest, DamagedTreesRaiseTheFileError) {
    const auto header = [](uint32_t root, uint32_t entries, uint32_t k, uint32_t n, uint32_t m,
                           uint32_t flags = 0) {
        Bytes out;
        for (uint32_t v : {root, kNone, 512u, entries, k, n, m, kNone, 0u, flags})
            Put32(out, v);
        return out;
    };
    // The heap: header block at 284, one node block at 328 (end 816).
    const auto file = [&](const Bytes& treeHeader, const Bytes& node) {
        return Concat({HeapHeader(284, 816, 268), FreeListBlock(32, {}, 12), Bytes{44, 0, 0, 0}, treeHeader,
                       Bytes{0xEC, 1, 0, 0}, node});
    };
    Bytes countTooBig = NodeBytes({"a"}, {1});
    countTooBig[0] = 21;
    const Bytes selfChild = NodeBytes({"m"}, {1}, {kFirstNode, kFirstNode});
    const Bytes sharedChildren = NodeBytes(Keys(0, 19), Values(0, 19), std::vector<uint32_t>(21, kFirstNode));
    const struct {
        const char* what;
        Bytes bytes;
        bool onOpen;
    } cases[] = {
        {"count above 2N", file(header(kFirstNode, 1, 16, 10, 10), countTooBig), false},
        {"node that is its own child", file(header(kFirstNode, 1, 16, 10, 10), selfChild), false},
        {"node reached many times", file(header(kFirstNode, 1, 16, 10, 10), sharedChildren), false},
        {"root past 2 GB", file(header(0x80000004, 1, 16, 10, 10), NodeBytes({}, {})), true},
        {"order 0", file(header(kNone, 0, 16, 0, 0), NodeBytes({}, {})), true},
        {"key length 0", file(header(kNone, 0, 0, 10, 10), NodeBytes({}, {})), true},
        {"minimum above the order", file(header(kNone, 0, 16, 10, 11), NodeBytes({}, {})), true},
        {"huge nodes", file(header(kNone, 0, 4000, 4000, 10), NodeBytes({}, {})), true},
        {"root past the file", file(header(4000, 1, 16, 10, 10), NodeBytes({}, {})), false},
        // The caller hands text keys: binary keys would be read past them.
        {"binary keys", file(header(kNone, 0, 16, 10, 10, 1), NodeBytes({}, {})), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Close();
        WriteFileBytes(path_, c.bytes);
        try {
            Open();
            EXPECT_FALSE(c.onOpen) << "opened";
            // Lookups, then the walks over every node.
            Find("b");
            Find("z");
            tree_->Entries();
            tree_->Apply([](const char*, uint32_t, void*) {}, nullptr);
            tree_->Height();
            ADD_FAILURE() << "no error";
        } catch (const RWFileError& error) {
            EXPECT_STREQ(error.why(), "[READERR] Read error");
        }
    }
}
