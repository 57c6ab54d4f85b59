#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "CollectionTestItem.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWBinaryOutStream.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWErrorHandler.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "rw/RWSet.h"
#include "rw/RWSlistCollectables.h"
#include "rw/RWSlistCollectablesIterator.h"
#include "rw/RWSlistCollectablesStack.h"
#include "tests/support/TempFile.h"

namespace {

using Item = CollectionTestItem;

class RWSlistCollectablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Item::Register();
        baseline_ = Item::live;
    }
    void TearDown() override { EXPECT_EQ(Item::live, baseline_) << "test items leaked or deleted"; }

    int baseline_ = 0;
};

std::string SaveBinary(const RWCollectable& root) {
    std::stringbuf buffer;
    RWBinaryOutStream out(&buffer);
    out << &root;
    return buffer.str();
}

RWCollectable* RestoreBinary(const std::string& bytes) {
    std::stringbuf buffer(bytes);
    RWBinaryInStream in(&buffer);
    RWCollectable* root = nullptr;
    in >> root;
    return root;
}

// Deletes a restored list and the distinct items it holds.
void DestroyList(RWCollectable* root) {
    auto* list = dynamic_cast<RWSlistCollectables*>(root);
    ASSERT_NE(list, nullptr);
    list->ClearAndDestroy();
    delete list;
}

TEST_F(RWSlistCollectablesTest, FindsIndexesCountsAndRemovesByIsEqual) {
    Item a1(1), b(2), a2(1), c(3);
    RWSlistCollectables list;
    EXPECT_EQ(list.Insert(&a1), &a1);
    list.Insert(&b);
    list.Insert(&a2);
    ASSERT_EQ(list.Entries(), 3u);

    Item probe(1), absent(9);
    EXPECT_EQ(list.Find(&probe), &a1); // the first equal member, not the probe
    EXPECT_TRUE(list.Contains(&probe));
    EXPECT_EQ(list.Find(&absent), nullptr);
    EXPECT_FALSE(list.Contains(&absent));
    EXPECT_EQ(list.Index(&probe), 0u);
    EXPECT_EQ(list.Index(&b), 1u);
    EXPECT_EQ(list.Index(&absent), RW_NPOS);
    EXPECT_EQ(list.OccurrencesOf(&probe), 2u);
    EXPECT_EQ(list.OccurrencesOf(&absent), 0u);

    EXPECT_EQ(list.Remove(&probe), &a1); // the stored pointer comes back
    EXPECT_EQ(list.Entries(), 2u);
    EXPECT_EQ(list.Index(&probe), 1u); // now a2
    EXPECT_EQ(list.Remove(&absent), nullptr);
    EXPECT_EQ(list.Remove(&probe), &a2);
    EXPECT_EQ(list.Remove(&probe), nullptr);
    EXPECT_EQ(list.Entries(), 1u);
    EXPECT_EQ(list.First(), &b);
    EXPECT_EQ(list.Last(), &b);
}

TEST_F(RWSlistCollectablesTest, PositionsInsertAndReplaceInPlace) {
    Item a(1), b(2), c(3), d(4), e(5);
    RWSlistCollectables list;
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
    list.Append(&b);
    list.Prepend(&a);
    list.InsertAt(2, &d); // the count itself is the end
    list.InsertAfter(1, &c);
    std::vector<int> values;
    RWSlistCollectablesIterator it(list);
    while (RWCollectable* item = it())
        values.push_back(static_cast<Item*>(item)->value());
    EXPECT_EQ(values, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(it.Key(), nullptr); // past the end

    list.At(2) = &e;
    EXPECT_EQ(list.At(2), &e);
    EXPECT_EQ(static_cast<const RWSlistCollectables&>(list).At(3), &d);
    EXPECT_EQ(list.Last(), &d);

    it.Reset();
    EXPECT_EQ(it.FindNext(&d), &d);
    EXPECT_EQ(it.Key(), &d);
    EXPECT_EQ(it.FindNext(&d), nullptr);
}

TEST_F(RWSlistCollectablesTest, PositionsOutOfRangeRaiseCatalogueErrors) {
    Item a(1), b(2);
    RWSlistCollectables list;
    list.Insert(&a);
    list.Insert(&b);
    struct Case {
        const char* what;
        void (*call)(RWSlistCollectables&, RWCollectable*);
        const char* text;
    };
    const Case cases[] = {
        {"At(2)", [](RWSlistCollectables& l, RWCollectable*) { (void)l.At(2); },
         "[INDEXERR] Illegal Index (2) for collection or string with 2 elements"},
        {"const At(5)", [](RWSlistCollectables& l, RWCollectable*) { (void)std::as_const(l).At(5); },
         "[INDEXERR] Illegal Index (5) for collection or string with 2 elements"},
        {"InsertAt(3)", [](RWSlistCollectables& l, RWCollectable* o) { l.InsertAt(3, o); },
         "[INDEXERR] Illegal Index (3) for collection or string with 2 elements"},
        {"InsertAfter(2)", [](RWSlistCollectables& l, RWCollectable* o) { l.InsertAfter(2, o); },
         "[INDEXERR] Illegal Index (2) for collection or string with 2 elements"},
        {"At(RW_NPOS)", [](RWSlistCollectables& l, RWCollectable*) { (void)l.At(RW_NPOS); },
         "[NPOSINDEX] The value RW_NPOS cannot be used as an index."},
        {"InsertAt(RW_NPOS)", [](RWSlistCollectables& l, RWCollectable* o) { l.InsertAt(RW_NPOS, o); },
         "[NPOSINDEX] The value RW_NPOS cannot be used as an index."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.call(list, &a);
            ADD_FAILURE() << "no error";
        } catch (const RWBoundsError& e) {
            EXPECT_STREQ(e.why(), c.text);
        }
        EXPECT_EQ(list.Entries(), 2u);
    }
}

TEST_F(RWSlistCollectablesTest, EqualityIsPairwiseInOrderAndByClass) {
    Item a(1), b(2), a2(1), b2(2);
    RWSlistCollectables ab, ab2, ba;
    ab.Insert(&a);
    ab.Insert(&b);
    ab2.Insert(&a2);
    ab2.Insert(&b2);
    ba.Insert(&b);
    ba.Insert(&a);
    EXPECT_TRUE(ab.IsEqual(&ab2));
    EXPECT_FALSE(ab.IsEqual(&ba));
    ab2.Insert(&a2);
    EXPECT_FALSE(ab.IsEqual(&ab2));

    RWSlistCollectablesStack stack; // same members, another class
    stack.Links().Append(&a);
    stack.Links().Append(&b);
    EXPECT_FALSE(ab.IsEqual(&stack));
    EXPECT_FALSE(stack.IsEqual(&ab));
}

TEST_F(RWSlistCollectablesTest, ClearAndDestroyDeletesEachObjectOnce) {
    auto* shared = new Item(7);
    auto* other = new Item(7); // equal to shared, but another object
    RWSlistCollectables list;
    list.Insert(shared);
    list.Insert(other);
    list.Insert(shared);
    list.Insert(shared);
    EXPECT_EQ(Item::live, baseline_ + 2);
    list.ClearAndDestroy();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(Item::live, baseline_);

    Item probe(1);
    auto* one = new Item(1);
    auto* two = new Item(1);
    list.Insert(one);
    list.Insert(two);
    list.RemoveAndDestroy(&probe); // deletes the first equal member only
    EXPECT_EQ(list.Entries(), 1u);
    EXPECT_EQ(list.First(), two);
    list.ClearAndDestroy();
    EXPECT_EQ(Item::live, baseline_ + 1); // the probe
}

TEST_F(RWSlistCollectablesTest, CollectionInsideItselfIsNeverDeletedOrComparedWithoutEnd) {
    auto* list = new RWSlistCollectables;
    auto* item = new Item(3);
    list->Insert(item);
    list->Insert(list);
    RWSlistCollectables other;
    other.Insert(&other);
    other.Insert(item);
    RWSlistCollectables same;
    same.Insert(item);
    same.Insert(&same);
    EXPECT_TRUE(list->IsEqual(&same)); // the cycle is settled as equal
    EXPECT_FALSE(list->IsEqual(&other));
    list->ClearAndDestroy(); // deletes the item, not the list
    EXPECT_TRUE(list->IsEmpty());
    delete list;
    EXPECT_EQ(Item::live, baseline_);
}

TEST_F(RWSlistCollectablesTest, BinaryFileHoldsCountThenMembersWithBackReferences) {
    Item a(0x11223344), b(-2);
    RWSlistCollectables list;
    list.Insert(&a);
    list.Insert(&b);
    list.Insert(&a);
    // magic; list class id 0x8033; count 3; a (new: class id, value); b; a again
    // as 0xFFFF and its index (0 nil, 1 the list, 2 a).
    const std::vector<unsigned char> expected = {
        0x88, 0x88, 0x00, 0x00, 0x33, 0x80, 0x03, 0x00, 0x00, 0x00, 0xC1, 0x07, 0x44, 0x33,
        0x22, 0x11, 0xC1, 0x07, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00,
    };
    const qvtest::TempFile temp("bytes.bin");
    {
        RWBinaryFile file(temp.Path(), "wb+");
        list.RecursiveSaveOn(file);
    }
    EXPECT_EQ(list.RecursiveStoreSize(), expected.size());
    std::FILE* f = std::fopen(temp.Path(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<unsigned char> bytes(64);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    EXPECT_EQ(bytes, expected);
}

TEST_F(RWSlistCollectablesTest, RoundTripKeepsSharingOnStreamsAndFiles) {
    // A list holding a set and, again, one of the set's members, plus a null.
    Item a(1), b(2);
    RWSet set;
    set.Insert(&a);
    set.Insert(&b);
    RWSlistCollectables list;
    list.Insert(&a);
    list.Insert(&set);
    list.Insert(nullptr);
    list.Insert(&a);

    auto check = [&](RWCollectable* root) {
        auto* restored = dynamic_cast<RWSlistCollectables*>(root);
        ASSERT_NE(restored, nullptr);
        ASSERT_EQ(restored->Entries(), 3u); // the null member is not held
        auto* ra = dynamic_cast<Item*>(restored->At(0));
        auto* rset = dynamic_cast<RWSet*>(restored->At(1));
        ASSERT_NE(ra, nullptr);
        ASSERT_NE(rset, nullptr);
        EXPECT_EQ(ra->value(), 1);
        EXPECT_EQ(restored->At(2), ra);
        EXPECT_EQ(rset->Entries(), 2u);
        EXPECT_EQ(rset->Find(&a), ra); // the set's member is the list's object
        Item probe(2);
        EXPECT_NE(rset->Find(&probe), nullptr);
        // Free: the list forgets its members, the set deletes the items.
        restored->Clear();
        delete restored;
        rset->ClearAndDestroy();
        delete rset;
    };

    {
        SCOPED_TRACE("binary stream");
        check(RestoreBinary(SaveBinary(list)));
    }
    {
        SCOPED_TRACE("portable stream");
        std::stringbuf buffer;
        RWPortableOutStream out(&buffer);
        out << &list;
        RWPortableInStream in(&buffer);
        RWCollectable* root = nullptr;
        in >> root;
        check(root);
    }
    {
        SCOPED_TRACE("binary file");
        const qvtest::TempFile temp("roundtrip.bin");
        {
            RWBinaryFile file(temp.Path(), "wb+");
            file << &list;
        }
        RWBinaryFile file(temp.Path(), "rb");
        RWCollectable* root = nullptr;
        file >> root;
        check(root);
    }
}

TEST_F(RWSlistCollectablesTest, TruncatedDataFailsWithoutKeepingOrLeakingMembers) {
    Item a(1), b(2), c(3);
    RWSlistCollectables list;
    list.Insert(&a);
    list.Insert(&b);
    list.Insert(&a);
    list.Insert(&c);
    const std::string bytes = SaveBinary(list);
    const int before = Item::live;
    // Every cut, including just before the closing '}' that is read after the
    // list's guts are done: the restore fails after the list took its members.
    for (size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(RestoreBinary(bytes.substr(0, length)), nullptr);
        EXPECT_EQ(Item::live, before);
        // Restored in place, the list forgets what it had and keeps nothing.
        std::stringbuf buffer(bytes.substr(0, length));
        RWBinaryInStream in(&buffer);
        RWSlistCollectables target;
        target.Insert(&a);
        in >> static_cast<RWCollectable&>(target);
        // Once its guts begin (':', class id, '{'), the old member is gone too.
        EXPECT_EQ(target.IsEmpty(), length >= 4);
        EXPECT_EQ(Item::live, before);
    }
    DestroyList(RestoreBinary(bytes)); // the whole data still restores
}

TEST_F(RWSlistCollectablesTest, HugeCountIsOnlyALimitOnTheLoop) {
    // ':' list '{' count 0xFFFFFFFF, one item, then the data ends.
    const std::string stream("\x3A\x33\x80\x7B\xFF\xFF\xFF\xFF\x3A\xC1\x07\x7B\x05\x00\x00\x00\x7D", 17);
    EXPECT_EQ(RestoreBinary(stream), nullptr);
    EXPECT_EQ(Item::live, baseline_);

    // The same in a file: magic, list, count, one item.
    const qvtest::TempFile temp("huge.bin");
    {
        std::FILE* f = std::fopen(temp.Path(), "wb");
        ASSERT_NE(f, nullptr);
        const unsigned char data[] = {0x88, 0x88, 0x00, 0x00, 0x33, 0x80, 0xFF, 0xFF,
                                      0xFF, 0xFF, 0xC1, 0x07, 0x05, 0x00, 0x00, 0x00};
        std::fwrite(data, 1, sizeof data, f);
        std::fclose(f);
    }
    RWBinaryFile file(temp.Path(), "rb");
    RWCollectable* root = nullptr;
    file >> root;
    EXPECT_EQ(root, nullptr);
    EXPECT_EQ(Item::live, baseline_);
}

} // namespace
