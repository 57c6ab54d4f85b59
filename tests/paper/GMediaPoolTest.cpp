#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "paper/GMediaPool.h"
#include "paper/NormalizeAngle.h"
#include "rw/RWFactory.h"
#include "rw/RWLibraryError.h"
#include "tests/paper/PaperBytes.h"
#include "tests/paper/PaperTestSupport.h"

using namespace papertest;

namespace {

// The names of the media the iterator lets through, in order.
std::vector<RWCString> Walk(GMediaFilterIterator& iterator) {
    std::vector<RWCString> names;
    while (iterator.Advance())
        names.push_back(static_cast<GMedia*>(iterator.Current())->GetName());
    return names;
}

} // namespace

TEST(GMediaPoolTest, KindsAndFactory) {
    GMediaPool pool;
    EXPECT_EQ(pool.GetId(), 0u);
    EXPECT_EQ(pool.IsA(), 1006);
    for (RWClassID kind : {1006, 764, 757, 753, 751})
        EXPECT_TRUE(pool.IsKindOf(kind)) << kind;
    EXPECT_EQ(RWClassIdToStringId(1006), RWStringID("GMediaPool"));
    std::unique_ptr<RWCollectable> made(RWCreateFromFactory(1006));
    ASSERT_NE(dynamic_cast<GMediaPool*>(made.get()), nullptr);
    EXPECT_EQ(static_cast<GMediaPool*>(made.get())->GetId(), 0u);
}

TEST(GMediaPoolTest, FilterBoundsAreInclusiveAndOrientationIsComparedAsStored) {
    GMediaPool pool(189);
    pool.Add(NewMedia("small", 1, 999, 1000));
    pool.Add(NewMedia("at min height", 2, 1500, 1000));
    pool.Add(NewMedia("at max width", 3, 2000, 1500));
    pool.Add(NewMedia("too wide", 4, 2001, 1500));
    pool.Add(NewMedia("too tall", 5, 1500, 2001));
    pool.Add(NewMedia("turned 450", 6, 1500, 1500, 450));
    pool.Add(NewMedia("turned 90", 7, 1500, 1500, 90));
    pool.Add(NewMedia("at 300 dpi", 8, 1500, 1500, 0, 300, 300));
    pool.Add(NewMedia("600 by 300", 9, 1500, 1500, 0, 600, 300));

    auto upright = pool.CreateFilterIterator(0, 600, {1000, 1000}, {2000, 2000});
    EXPECT_EQ(Walk(*upright), (std::vector<RWCString>{"at min height", "at max width"}));

    auto turned = pool.CreateFilterIterator(90, 600, {0, 0}, {32767, 32767});
    EXPECT_EQ(Walk(*turned), (std::vector<RWCString>{"turned 90"}));

    auto mixed = pool.CreateFilterIterator(0, 600, 300, {0, 0}, {32767, 32767});
    EXPECT_EQ(Walk(*mixed), (std::vector<RWCString>{"600 by 300"}));
    auto low = pool.CreateFilterIterator(0, 300, {0, 0}, {32767, 32767});
    EXPECT_EQ(Walk(*low), (std::vector<RWCString>{"at 300 dpi"}));
}

TEST(GMediaPoolTest, AdvanceAfterTheLastMatchStartsOver) {
    GMediaPool pool;
    pool.Add(NewMedia("a", 1, 1000, 1000));
    pool.Add(NewMedia("b", 2, 1000, 1000, 90));
    auto iterator = pool.CreateFilterIterator(0, 600, {0, 0}, {32767, 32767});
    EXPECT_THROW(iterator->Current(), RWBoundsError); // before the first media
    ASSERT_TRUE(iterator->Advance());
    EXPECT_EQ(iterator->Position(), 0);
    EXPECT_FALSE(iterator->Advance()); // "b" does not pass
    EXPECT_EQ(iterator->Position(), -1);
    EXPECT_THROW(iterator->Current(), RWBoundsError);
    iterator->Reset();
    ASSERT_TRUE(iterator->Advance());
    EXPECT_EQ(static_cast<GMedia*>(iterator->Current())->GetName(), "a");
}

TEST(GMediaPoolTest, FindMediaTakesTheFirstMatchInPoolOrder) {
    GMediaPool pool;
    EXPECT_EQ(pool.FindMedia(1, 0, 600), nullptr); // empty pool

    GMedia* negative = NewMedia("negative", 1, -5, 1000);
    GMedia* first = NewMedia("first", 1, 5100, 6600);
    GMedia* second = NewMedia("second", 1, 5100, 6600);
    GMedia* custom = NewMedia("custom", -16384, 5000, 5000); // paper id 49152 as stored
    pool.Add(negative);
    pool.Add(first);
    pool.Add(second);
    pool.Add(custom);
    ASSERT_EQ(pool.GetCount(), 4u);

    EXPECT_EQ(pool.FindMedia(1, 0, 600), first); // never the one with a negative width
    EXPECT_EQ(pool.FindMedia(1, 0, 600, 600), first);
    EXPECT_EQ(pool.FindMedia(-16384, 0, 600), custom);
    EXPECT_EQ(pool.FindMedia(1, 0, 1200), nullptr); // no media at that resolution
    EXPECT_EQ(pool.FindMedia(1, 0, 600, 300), nullptr);
    EXPECT_EQ(pool.FindMedia(1, 360, 600), nullptr); // orientations as stored
    EXPECT_EQ(pool.FindMedia(2, 0, 600), nullptr);
    EXPECT_EQ(pool.FindMedia(1, 0, 0), nullptr); // resolution 0 matches nothing
}

TEST(GMediaPoolTest, InsertAtCurrentPutsTheChildBeforeTheCurrentOne) {
    GMediaPool pool;
    pool.Add(NewMedia("a", 1, 1000, 1000));
    pool.Add(NewMedia("b", 2, 1000, 1000));
    auto iterator = pool.CreateFilterIterator(0, 600, {0, 0}, {32767, 32767});
    EXPECT_THROW(iterator->InsertAtCurrent(GCountedPtr(NewMedia("x", 3, 1000, 1000))), RWBoundsError);
    EXPECT_EQ(pool.GetCount(), 2u);

    iterator->Advance();
    iterator->Advance(); // on "b"
    iterator->InsertAtCurrent(GCountedPtr(NewMedia("c", 3, 1000, 1000)));
    EXPECT_EQ(static_cast<GMedia*>(iterator->Current())->GetName(), "c");
    iterator->Reset();
    EXPECT_EQ(Walk(*iterator), (std::vector<RWCString>{"a", "c", "b"}));

    GMediaPool empty;
    auto onEmpty = empty.CreateFilterIterator(0, 600, {0, 0}, {32767, 32767});
    onEmpty->InsertAtCurrent(GCountedPtr(NewMedia("only", 1, 1000, 1000)));
    EXPECT_EQ(empty.GetCount(), 1u);
}

TEST(GMediaPoolTest, EqualityIsTheChoiceListsAndTheClass) {
    GMediaPool a(189);
    GMediaPool b(189);
    a.Add(NewMedia("a", 1, 1000, 1000));
    EXPECT_FALSE(a.IsEqualId(&b));
    b.Add(NewMedia("a", 1, 1000, 1000));
    EXPECT_TRUE(a.IsEqualId(&b));
    GEnumAttribute plain(189);
    plain.Add(NewMedia("a", 1, 1000, 1000));
    EXPECT_FALSE(a.IsEqualId(&plain));
    GMediaPool copy(a);
    EXPECT_TRUE(copy.IsEqualId(&a));
    EXPECT_EQ(copy.FindMedia(1, 0, 600), a.FindMedia(1, 0, 600)); // choices are shared
}

TEST(NormalizeAngleTest, ReducesToAWholeTurn) {
    const struct {
        int32_t angle, expected;
    } cases[] = {{0, 0},      {90, 90},         {359, 359},      {360, 0},  {450, 90},
                 {720, 0},    {-1, 359},        {-90, 270},      {-360, 0}, {-361, 359},
                 {-450, 270}, {INT32_MAX, 127}, {INT32_MIN, 232}};
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeAngle(c.angle), c.expected) << c.angle;
}

// --- Persistence ----------------------------------------------------------------

namespace {

// Pool 189 (serial 6) holding one media "A" 10 x 20 (serial 5), selected.
std::string PoolGuts(const Form& form, uint32_t poolVersion = 1) {
    const std::string media = Words({1, 190, 5, 1, 1, 1}) + form.S("A") + U16(10) + U16(20) + U16(8) +
                              U16(18) + U16(1) + U16(1) + U32(0) + U16(600) + U16(600) + U16(0) + form.S("") +
                              form.S("") + U16(3);
    // Composite: count 1, the media; choice list: version, the selection
    // (a back-reference: nil 0, pool 1, media 2), element class 1002.
    return Words({1, 189, 6, 1, 1}) + Words({1, 1}) + form.Object(1002, media) + U32(1) + form.Ref(2) +
           U16(1002) + U32(poolVersion);
}

} // namespace

TEST(GMediaPoolTest, SavedFormIsTheChoiceListAndAVersionWord) {
    GMediaPool pool(189);
    pool.SetSerial(6);
    auto* media = new GMedia("A", {10, 20}, {8, 18}, {1, 1}, 0, 3, 600, 600);
    media->SetSerial(5);
    pool.Add(media);
    for (Carrier carrier : kBinaryCarriers) {
        const Form form(carrier);
        EXPECT_EQ(Save(pool, carrier), form.Graph(1006, PoolGuts(form)));
        std::unique_ptr<GMediaPool> restored =
            ExpectResavedIdentically<GMediaPool>(form.Graph(1006, PoolGuts(form)), carrier);
        ASSERT_NE(restored, nullptr);
        EXPECT_EQ(restored->FindMedia(3, 0, 600)->GetName(), "A");
        ExpectEveryCutRefused(form.Graph(1006, PoolGuts(form)), carrier);

        // The pool's version word is read, not tested.
        std::unique_ptr<MPersistentObject> other = Restore(form.Graph(1006, PoolGuts(form, 7)), carrier);
        ASSERT_NE(other, nullptr);
        EXPECT_TRUE(other->IsEqualId(&pool));
    }
    EXPECT_EQ(pool.RecursiveStoreSize(), Save(pool, Carrier::File).size());
    ExpectRoundTrips(pool);
}
