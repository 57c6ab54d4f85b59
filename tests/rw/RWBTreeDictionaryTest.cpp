#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "rw/RWBTree.h"
#include "rw/RWBTreeDictionary.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWCollectableAssociation.h"
#include "rw/RWCollectableIDAssociation.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWLibraryError.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "tests/rw/DiskFileTestSupport.h"
#include "tests/rw/SortedTestItem.h"

namespace {
using Item = SortedTestItem;

int32_t ValueOf(const RWCollectable* item) {
    return item != nullptr ? static_cast<const Item*>(item)->value() : -1;
}

std::vector<std::pair<int32_t, int32_t>> Pairs(const RWBTreeDictionary& dictionary) {
    std::vector<std::pair<int32_t, int32_t>> pairs;
    dictionary.ApplyToKeyAndValue(
        [](RWCollectable* key, RWCollectable* value, void* out) {
            static_cast<std::vector<std::pair<int32_t, int32_t>>*>(out)->emplace_back(ValueOf(key),
                                                                                      ValueOf(value));
        },
        &pairs);
    return pairs;
}

class RWBTreeDictionaryTest : public testing::Test {
protected:
    void SetUp() override {
        Item::Register();
        live_ = CollectionTestItem::live;
    }
    // Every item a test made was deleted again.
    void TearDown() override { EXPECT_EQ(CollectionTestItem::live, live_); }

    // Saves to a binary file and reads the bytes back.
    Bytes SavedBytes(const RWCollectable& object) {
        const std::string path = folder_.Path("saved.bin");
        {
            RWBinaryFile file(path.c_str(), "wb+");
            file << &object;
        }
        return ReadFileBytes(path);
    }
    RWCollectable* RestoreBytes(const Bytes& bytes) {
        const std::string path = folder_.Path("restore.bin");
        WriteFileBytes(path, bytes);
        RWBinaryFile file(path.c_str(), "rb");
        RWCollectable* root = nullptr;
        file >> root;
        return root;
    }

    TempFolder folder_;
    int live_ = 0;
};

// An item as the binary file holds it: class id 0x07C2, then the value.
Bytes ItemBytes(int32_t value) {
    Bytes out;
    Put16(out, 0x07C2);
    Put32(out, static_cast<uint32_t>(value));
    return out;
}
const Bytes kMagic = {0x88, 0x88, 0x00, 0x00};
const Bytes kNil = {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00};
} // namespace

TEST_F(RWBTreeDictionaryTest, KeysMapToValues) {
    RWBTreeDictionary dictionary;
    auto* k1 = new Item(1);
    auto* k2 = new Item(2);
    auto* v1 = new Item(10);
    auto* v2 = new Item(20);
    auto* v9 = new Item(90);
    EXPECT_EQ(dictionary.InsertKeyAndValue(k2, v2), k2);
    EXPECT_EQ(dictionary.InsertKeyAndValue(k1, v1), k1);
    auto* again = new Item(1);
    EXPECT_EQ(dictionary.InsertKeyAndValue(again, v9), nullptr); // the old value stays
    delete again;
    EXPECT_EQ(Pairs(dictionary), (std::vector<std::pair<int32_t, int32_t>>{{1, 10}, {2, 20}}));

    Item probe(1);
    EXPECT_EQ(dictionary.Find(&probe), k1);
    EXPECT_TRUE(dictionary.Contains(&probe));
    EXPECT_EQ(dictionary.FindValue(&probe), v1);
    RWCollectable* value = nullptr;
    EXPECT_EQ(dictionary.FindKeyAndValue(&probe, value), k1);
    EXPECT_EQ(value, v1);
    Item missing(5);
    EXPECT_EQ(dictionary.FindKeyAndValue(&missing, value), nullptr);
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(dictionary.ChangeValue(&probe, v9), v1);
    EXPECT_EQ(dictionary.FindValue(&probe), v9);
    EXPECT_EQ(dictionary.ChangeValue(&missing, v1), nullptr);
    delete v1;

    EXPECT_EQ(dictionary.Remove(&probe), k1); // the pair goes, key and value stay
    delete k1;
    delete v9;
    Item two(2);
    dictionary.RemoveAndDestroy(&two); // key, value and pair
    EXPECT_TRUE(dictionary.IsEmpty());
}

TEST_F(RWBTreeDictionaryTest, DestroyingDeletesSharedObjectsOnce) {
    RWBTreeDictionary dictionary;
    auto* shared = new Item(7);
    dictionary.InsertKeyAndValue(shared, shared); // key and value one object
    auto* k = new Item(8);
    dictionary.InsertKeyAndValue(k, shared); // the same value again
    dictionary.InsertKeyAndValue(new Item(9), nullptr);
    dictionary.ClearAndDestroy();
    EXPECT_TRUE(dictionary.IsEmpty());

    auto* self = new Item(3);
    dictionary.InsertKeyAndValue(self, self);
    Item three(3);
    dictionary.RemoveAndDestroy(&three);
}

TEST_F(RWBTreeDictionaryTest, CopiesShareKeysAndValuesButNotPairs) {
    RWBTreeDictionary dictionary;
    std::vector<std::unique_ptr<Item>> owned;
    for (int32_t i = 0; i < 150; ++i) {
        owned.push_back(std::make_unique<Item>(i));
        owned.push_back(std::make_unique<Item>(1000 + i));
        dictionary.InsertKeyAndValue(owned[owned.size() - 2].get(), owned.back().get());
    }
    RWBTreeDictionary copy(dictionary);
    EXPECT_TRUE(copy.IsEqual(&dictionary));
    EXPECT_EQ(Pairs(copy), Pairs(dictionary));
    Item key(5);
    EXPECT_EQ(copy.FindValue(&key), dictionary.FindValue(&key));

    Item other(77);
    copy.ChangeValue(&key, &other);
    EXPECT_FALSE(copy.IsEqual(&dictionary)); // same keys, another value
    EXPECT_EQ(ValueOf(dictionary.FindValue(&key)), 1005);
    copy.Remove(&key);
    copy = dictionary;
    EXPECT_TRUE(copy.IsEqual(&dictionary));

    std::unique_ptr<RWBTreeDictionary> even(dictionary.Select(
        [](const RWCollectable* k, const RWCollectable*, void*) { return ValueOf(k) % 2 == 0 ? 1 : 0; },
        nullptr));
    EXPECT_EQ(even->Entries(), 75u);
    EXPECT_EQ(even->Find(&key), nullptr);
    Item four(4);
    EXPECT_EQ(even->FindValue(&four), dictionary.FindValue(&four));

    RWBTree plain;
    EXPECT_FALSE(dictionary.IsEqual(&plain));
}

TEST_F(RWBTreeDictionaryTest, IdentityPairsFindOnlyTheSameKeyObject) {
    Item key(1), lookAlike(1), value(2);
    RWBTreeDictionary dictionary;
    dictionary.Insert(new RWCollectableIDAssociation(&key, &value));
    EXPECT_EQ(dictionary.Find(&key), &key);
    EXPECT_EQ(dictionary.Find(&lookAlike), nullptr);

    RWCollectableIDAssociation pair(&key, &value), samePair(&key, nullptr), otherPair(&lookAlike, &value);
    EXPECT_TRUE(pair.IsEqual(&key));
    EXPECT_FALSE(pair.IsEqual(&lookAlike));
    EXPECT_TRUE(pair.IsEqual(&samePair));
    EXPECT_FALSE(pair.IsEqual(&otherPair));
    EXPECT_EQ(pair.CompareTo(&samePair), 0);
    const auto k = reinterpret_cast<uintptr_t>(&key);
    EXPECT_EQ(pair.Hash(), static_cast<uint32_t>((k >> 3) ^ k));

    // Many identity pairs stay sorted by key address among themselves.
    std::vector<std::unique_ptr<Item>> keys;
    for (int i = 0; i < 300; ++i) {
        keys.push_back(std::make_unique<Item>(0));
        dictionary.Insert(new RWCollectableIDAssociation(keys.back().get(), nullptr));
    }
    for (const auto& k2 : keys)
        EXPECT_EQ(dictionary.Find(k2.get()), k2.get());
    dictionary.Clear();
}

TEST_F(RWBTreeDictionaryTest, PlainPairsAnswerForTheirKey) {
    Item key(4), value(5), equalKey(4);
    RWCollectableAssociation pair(&key, &value);
    EXPECT_TRUE(pair.IsEqual(&equalKey));
    EXPECT_EQ(pair.CompareTo(&equalKey), 0);
    Item higher(9);
    EXPECT_LT(pair.CompareTo(&higher), 0);
    EXPECT_EQ(pair.Hash(), key.Hash());
    EXPECT_EQ(pair.BinaryStoreSize(), key.RecursiveStoreSize() + value.RecursiveStoreSize());
}

TEST_F(RWBTreeDictionaryTest, SavesItsPairsInKeyOrder) {
    RWBTreeDictionary dictionary;
    Item k1(1), k2(2), v(7);
    dictionary.InsertKeyAndValue(&k2, nullptr);
    dictionary.InsertKeyAndValue(&k1, &v);
    // magic, 0x8004, count 2, then each pair: 0x8008, key, value.
    const Bytes expected = Concat({kMagic, Bytes{0x04, 0x80, 2, 0, 0, 0}, Bytes{0x08, 0x80}, ItemBytes(1),
                                   ItemBytes(7), Bytes{0x08, 0x80}, ItemBytes(2), kNil});
    EXPECT_EQ(SavedBytes(dictionary), expected);

    std::unique_ptr<RWBTreeDictionary> restored(dynamic_cast<RWBTreeDictionary*>(RestoreBytes(expected)));
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(Pairs(*restored), (std::vector<std::pair<int32_t, int32_t>>{{1, 7}, {2, -1}}));
    EXPECT_TRUE(restored->IsEqual(&dictionary));
    restored->ClearAndDestroy();

    // The portable stream carries the same graph.
    std::stringbuf buffer;
    RWPortableOutStream out(&buffer);
    out << &dictionary;
    RWPortableInStream in(&buffer);
    RWCollectable* root = nullptr;
    in >> root;
    std::unique_ptr<RWBTreeDictionary> fromText(dynamic_cast<RWBTreeDictionary*>(root));
    ASSERT_NE(fromText, nullptr);
    EXPECT_TRUE(fromText->IsEqual(&dictionary));
    fromText->ClearAndDestroy();
}

TEST_F(RWBTreeDictionaryTest, TreeSavesItsMembersInOrder) {
    RWBTree tree;
    Item a(2), b(1);
    tree.Insert(&a);
    tree.Insert(&b);
    const Bytes expected = Concat({kMagic, Bytes{0x03, 0x80, 2, 0, 0, 0}, ItemBytes(1), ItemBytes(2)});
    EXPECT_EQ(SavedBytes(tree), expected);
    std::unique_ptr<RWBTree> restored(dynamic_cast<RWBTree*>(RestoreBytes(expected)));
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(restored->IsEqual(&tree));
    restored->ClearAndDestroy();
}

TEST_F(RWBTreeDictionaryTest, DamagedDataIsRefusedWithoutLeaks) {
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"tree with two equal members",
         Concat({kMagic, Bytes{0x03, 0x80, 2, 0, 0, 0}, ItemBytes(1), ItemBytes(1)})},
        {"dictionary with two equal keys",
         Concat({kMagic, Bytes{0x04, 0x80, 2, 0, 0, 0}, Bytes{0x08, 0x80}, ItemBytes(1), ItemBytes(5),
                 Bytes{0x08, 0x80}, ItemBytes(1), kNil})},
        {"pair without key", Concat({kMagic, Bytes{0x08, 0x80}, kNil, ItemBytes(3)})},
        {"dictionary holding a pair without key",
         Concat({kMagic, Bytes{0x04, 0x80, 2, 0, 0, 0}, Bytes{0x08, 0x80}, ItemBytes(1), ItemBytes(5),
                 Bytes{0x08, 0x80}, kNil, ItemBytes(6)})},
        {"dictionary holding a plain item", Concat({kMagic, Bytes{0x04, 0x80, 1, 0, 0, 0}, ItemBytes(1)})},
        {"dictionary cut short",
         Concat({kMagic, Bytes{0x04, 0x80, 3, 0, 0, 0}, Bytes{0x08, 0x80}, ItemBytes(1), ItemBytes(5)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RWCollectable* root = nullptr;
        try {
            root = RestoreBytes(c.bytes);
        } catch (const RWLibraryError&) {
        }
        EXPECT_EQ(root, nullptr);
        EXPECT_EQ(CollectionTestItem::live, live_);
    }
}
