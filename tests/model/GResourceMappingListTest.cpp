#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ModelTestObjects.h"
#include "ValueTestSupport.h"
#include "model/GResourceMappingList.h"

using namespace modeltest;
using namespace valuetest;

namespace {

class GResourceMappingListTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }

    // value32 100 + i, first 10 + i, second 20 + i, for i = 0, 1, 2
    static void Fill(GResourceMappingList& list) {
        for (uint16_t i = 0; i < 3; ++i) {
            ASSERT_EQ(list.AddUnique(new GResourceMapping(100 + i, 10 + i, static_cast<int16_t>(20 + i))), 1);
        }
    }
};

} // namespace

TEST_F(GResourceMappingListTest, AddUniqueRefusesAnEqualSecondOrValue32) {
    GResourceMappingList list(1);
    Fill(list);
    struct Case {
        const char* what;
        uint32_t value32;
        int16_t second;
        int unique;       // AddUnique
        int uniqueSecond; // AddUniqueSecond
    };
    const Case cases[] = {
        {"value32 taken, other numbers", 101, 99, 0, 1},
        {"second taken", 999, 21, 0, 0},
        {"both new", 998, 98, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GResourceMappingList a(list), b(list); // share the three mappings
        GCountedPtr offered(new GResourceMapping(c.value32, 77, c.second));
        EXPECT_EQ(a.AddUnique(static_cast<GResourceMapping*>(offered.Get())), c.unique);
        EXPECT_EQ(a.GetCount(), 3u + c.unique);
        EXPECT_EQ(b.AddUniqueSecond(static_cast<GResourceMapping*>(offered.Get())), c.uniqueSecond);
        EXPECT_EQ(b.GetCount(), 3u + c.uniqueSecond);
    }
    EXPECT_EQ(list.AddUnique(nullptr), 0);
    EXPECT_EQ(list.AddUniqueSecond(nullptr), 0);
}

TEST_F(GResourceMappingListTest, FindsLookAtEachNumberAndNeverFindANegativeSecond) {
    GResourceMappingList list(1);
    Fill(list);
    auto* negative = new GResourceMapping(500, 50, -1);
    ASSERT_EQ(list.AddUnique(negative), 1);

    EXPECT_EQ(list.FindByFirst(11)->GetValue32(), 101u);
    EXPECT_EQ(list.FindBySecond(22)->GetValue32(), 102u);
    EXPECT_EQ(list.FindByValue32(100)->GetFirst(), 10u);
    EXPECT_EQ(list.FindByFirst(50), negative);
    EXPECT_EQ(list.FindBySecond(0xFFFF), nullptr); // -1 is not 0xFFFF
    EXPECT_EQ(list.FindByFirst(99), nullptr);
    EXPECT_EQ(list.FindByValue32(99), nullptr);
    // A second -1 may be added again: the lookup never sees the first.
    EXPECT_EQ(list.AddUniqueSecond(new GResourceMapping(501, 51, -1)), 1);

    GResourceMappingList empty;
    EXPECT_EQ(empty.FindBySecond(0), nullptr);
}

TEST_F(GResourceMappingListTest, RemovalsHandTheMappingOver) {
    GResourceMappingList list(1);
    Fill(list);
    GResourceMapping* middle = list.FindByFirst(11);
    std::unique_ptr<GResourceMapping> removed = list.RemoveBySecond(21);
    EXPECT_EQ(removed.get(), middle);
    EXPECT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.RemoveBySecond(21), nullptr);

    GCountedPtr shared(list.FindByValue32(102));
    std::unique_ptr<GResourceMapping> copy = list.RemoveByValue32(102);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), shared.Get()); // still held here: a copy
    EXPECT_TRUE(copy->IsEqualId(shared.Get()));

    EXPECT_NE(list.RemoveByFirst(10), nullptr);
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.RemoveByFirst(10), nullptr);
}

TEST_F(GResourceMappingListTest, AddTakesNothingSoACloneIsEmptyButACopySharesAll) {
    GResourceMappingList list(4);
    Fill(list);
    const int before = TestLeaf::live;
    list.Add(new TestLeaf(1)); // refused, and nobody holds it
    list.Add(new GResourceMapping(900, 90, 90));
    EXPECT_EQ(TestLeaf::live, before);
    EXPECT_EQ(list.GetCount(), 3u);

    std::unique_ptr<MPersistentObject> clone = list.Clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->IsA(), 1005);
    EXPECT_EQ(clone->GetId(), 4u);
    EXPECT_EQ(clone->GetCount(), 0u);

    GResourceMappingList copy(list);
    ASSERT_EQ(copy.GetCount(), 3u);
    EXPECT_EQ(copy.GetChildren().At(0).Get(), list.GetChildren().At(0).Get());
}

TEST_F(GResourceMappingListTest, SavedFormAndRestoreDropNonMappings) {
    GResourceMappingList list(4);
    list.SetSerial(7);
    const std::string expected = Words({1, 4, 7, 1, 0, 1});
    BytesOut out;
    list.SaveGuts(out.stream);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(list.BinaryStoreSize(), expected.size());

    Fill(list);
    list.MPersistentComposite::Add(new TestLeaf(9));
    TempFolder dir;
    std::unique_ptr<MPersistentObject> restored = FileRoundTrip(list, dir.Path("mappings.bin"));
    ASSERT_NE(restored, nullptr);
    auto& copy = static_cast<GResourceMappingList&>(*restored);
    ASSERT_EQ(copy.GetCount(), 3u);
    EXPECT_EQ(copy.FindBySecond(22)->GetValue32(), 102u);
}
