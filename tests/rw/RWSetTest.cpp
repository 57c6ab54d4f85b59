#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "CollectionTestItem.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWIdentitySet.h"
#include "rw/RWPortableInStream.h"
#include "rw/RWPortableOutStream.h"
#include "rw/RWSet.h"
#include "tests/support/TempFile.h"

namespace {

using Item = CollectionTestItem;

TEST(RWSetTest, KeepsOneOfTwoEqualMembers) {
    Item first(4), second(4);
    RWSet set;
    EXPECT_EQ(set.Insert(&first), &first);
    EXPECT_EQ(set.Insert(&second), &first); // the member already there
    EXPECT_EQ(set.Entries(), 1u);
    EXPECT_EQ(set.OccurrencesOf(&second), 1u);
    EXPECT_EQ(set.Find(&second), &first);
    EXPECT_EQ(set.Remove(&second), &first);
    EXPECT_TRUE(set.IsEmpty());
}

TEST(RWSetTest, SubsetsAndIntersections) {
    Item i1(1), i2(2), i3(3), j1(1), j2(2);
    RWSet small, big, equal, empty;
    small.Insert(&i1);
    small.Insert(&i2);
    big.Insert(&j1);
    big.Insert(&j2);
    big.Insert(&i3);
    equal.Insert(&j1);
    equal.Insert(&j2);
    EXPECT_TRUE(small.IsSubsetOf(big));
    EXPECT_TRUE(small.IsProperSubsetOf(big));
    EXPECT_TRUE(small.IsSubsetOf(equal));
    EXPECT_FALSE(small.IsProperSubsetOf(equal));
    EXPECT_FALSE(big.IsSubsetOf(small));
    EXPECT_TRUE(empty.IsProperSubsetOf(small));

    RWSet result;
    big.Intersection(small, result); // walks small, inserts small's members
    EXPECT_EQ(result.Entries(), 2u);
    EXPECT_EQ(result.Find(&j1), &i1);
    RWSet result2;
    small.Intersection(big, result2); // walks small again (the smaller side)
    EXPECT_EQ(result2.Find(&j2), &i2);

    big.IntersectWith(small);
    EXPECT_EQ(big.Entries(), 2u);
    EXPECT_EQ(big.Find(&i1), &j1); // big keeps its own members
    EXPECT_EQ(big.Find(&i3), nullptr);
    big.IntersectWith(empty);
    EXPECT_TRUE(big.IsEmpty());
}

TEST(RWSetTest, RoundTripKeepsSharedMembersShared) {
    Item::Register();
    const int before = Item::live;
    // One item held twice by the set's graph: in the set and, again, inside a
    // nested identity set.
    Item a(10), b(20);
    RWIdentitySet inner;
    inner.Insert(&a);
    RWSet set;
    set.Insert(&a);
    set.Insert(&b);
    set.Insert(&inner);

    auto check = [&](RWCollectable* root) {
        auto* restored = dynamic_cast<RWSet*>(root);
        ASSERT_NE(restored, nullptr);
        ASSERT_EQ(restored->Entries(), 3u);
        RWCollectable* ra = restored->Find(&a);
        ASSERT_NE(ra, nullptr);
        EXPECT_NE(ra, &a);
        RWIdentitySet* rinner = nullptr;
        restored->ForEach([&](RWCollectable* m) {
            if (auto* s = dynamic_cast<RWIdentitySet*>(m)) rinner = s;
            return true;
        });
        ASSERT_NE(rinner, nullptr);
        EXPECT_EQ(rinner->Entries(), 1u);
        EXPECT_TRUE(rinner->Contains(ra)); // by address: the very same object
        rinner->Clear();
        restored->ClearAndDestroy(); // ra, rb and the inner set
        delete restored;
        EXPECT_EQ(Item::live, before + 2);
    };

    {
        SCOPED_TRACE("portable stream");
        std::stringbuf buffer;
        RWPortableOutStream out(&buffer);
        out << &set;
        RWPortableInStream in(&buffer);
        RWCollectable* root = nullptr;
        in >> root;
        check(root);
    }
    {
        SCOPED_TRACE("binary file");
        const qvtest::TempFile temp("set-roundtrip.bin");
        const std::string path = temp.Path();
        {
            RWBinaryFile file(path.c_str(), "wb+");
            file << &set;
        }
        {
            RWBinaryFile file(path.c_str(), "rb");
            RWCollectable* root = nullptr;
            file >> root;
            check(root);
        }
    }
}

TEST(RWSetTest, RestoreHoldsTheSameObjectOnceAndLosesNoDistinctOne) {
    Item::Register();
    const int before = Item::live;
    struct Case {
        const char* what;
        std::string bytes;
        size_t entries;
        int made;
        size_t setAside;
    };
    // ':' RWSet '{' count 2, then an item of value 1 and either a second,
    // equal item or a back-reference ('@', index 2) to the first; '}'.
    const std::string head("\x3A\x2B\x80\x7B\x02\x00\x00\x00\x3A\xC1\x07\x7B\x01\x00\x00\x00\x7D", 17);
    const Case cases[] = {
        {"same object twice", head + std::string("\x40\x02\x00\x00\x00\x7D", 6), 1, 1, 0},
        // A set keeps one of two equal objects; the other stays alive, held
        // apart by the set until it goes.
        {"two equal objects", head + std::string("\x3A\xC1\x07\x7B\x01\x00\x00\x00\x7D\x7D", 10), 1, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::stringbuf buffer(c.bytes);
        RWBinaryInStream in(&buffer);
        RWCollectable* root = nullptr;
        in >> root;
        auto* set = dynamic_cast<RWSet*>(root);
        ASSERT_NE(set, nullptr);
        EXPECT_EQ(set->Entries(), c.entries);
        EXPECT_EQ(set->SetAside(), c.setAside);
        EXPECT_EQ(Item::live, before + c.made);
        set->ClearAndDestroy();
        delete set;
        EXPECT_EQ(Item::live, before);
    }
}

} // namespace
