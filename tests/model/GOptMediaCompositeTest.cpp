#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ModelTestObjects.h"
#include "model/GBookletComposite.h"
#include "model/GOptMediaComposite.h"
#include "model/MPersistentIterator.h"
#include "pipeline/GPeripheral.h"

using namespace modeltest;

namespace {

class GOptMediaCompositeTest : public ::testing::Test {
protected:
    void SetUp() override {
        GAddToFactory<GOptMediaComposite>();
        GAddToFactory<GBookletComposite>();
    }
};

// A device that records whether anything reached it.
class CountingDevice : public GPeripheral {
public:
    RWCollectable* NewSpecies() const override { return nullptr; }
    RWCollectable* Copy() const override { return nullptr; }
    RWClassID IsA() const override { return 0x7E70; }
    uint16_t OnValueAttribute(GValueAttribute&) override { return ++calls, 0; }
    uint16_t OnStringAttribute(GStringAttribute&) override { return ++calls, 0; }
    uint16_t OnEnumAttribute(GEnumAttribute&) override { return ++calls, 0; }
    uint16_t OnRangeAttribute(GRangeAttribute&) override { return ++calls, 0; }
    uint16_t Apply(GPeripheral&) override { return 0; }
    int calls = 0;
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

std::string Graph(RWClassID classId, const std::string& guts) {
    return U8(':') + U16(classId) + U8('{') + guts + U8('}');
}

GOptMediaComposite MakeList(uint16_t first, uint16_t second, std::initializer_list<uint16_t> values) {
    GOptMediaComposite list(first, second);
    for (uint16_t v : values)
        EXPECT_TRUE(list.Append(v));
    return list;
}

} // namespace

TEST_F(GOptMediaCompositeTest, ConstructionKindsAndConstantAnswers) {
    GOptMediaComposite media;
    EXPECT_EQ(media.GetId(), 0u);
    EXPECT_EQ(media.GetChanged(), 1u);
    EXPECT_EQ(media.GetFirstWord(), 0u);
    EXPECT_EQ(media.GetCount(), 0u);

    GOptMediaComposite tray(260, 3);
    EXPECT_EQ(tray.GetFirstWord(), 260u);
    EXPECT_EQ(tray.GetSecondWord(), 3u);
    EXPECT_EQ(tray.GetChanged(), 1u);

    EXPECT_EQ(tray.IsA(), 796u);
    EXPECT_EQ(GBookletComposite().IsA(), 794u);
    for (RWClassID kind : {796, 753, 751})
        EXPECT_TRUE(tray.IsKindOf(kind)) << kind;
    EXPECT_FALSE(tray.IsKindOf(794));
    EXPECT_FALSE(tray.IsKindOf(757));
    EXPECT_TRUE(GBookletComposite().IsKindOf(794));
    EXPECT_FALSE(GBookletComposite().IsKindOf(796));
    EXPECT_EQ(tray.GetTypeCode(), 796u);

    EXPECT_EQ(tray.CreateIterator(), nullptr); // not even an empty iterator
    CountingDevice device;
    EXPECT_EQ(tray.Apply(device), 1u);
    EXPECT_EQ(GBookletComposite().Apply(device), 1u);
    EXPECT_EQ(device.calls, 0);
}

TEST_F(GOptMediaCompositeTest, GetAtAnswersTheValueOrNoValueOutsideTheList) {
    const GOptMediaComposite empty;
    for (int16_t index : {-1, 0, 1, 32767, -32768})
        EXPECT_EQ(empty.GetAt(index), 0xFFFFu) << index;

    const GOptMediaComposite list = MakeList(1, 0, {10, 20, 30});
    EXPECT_EQ(list.GetCount(), 3u);
    EXPECT_EQ(list.GetAt(0), 10u);
    EXPECT_EQ(list.GetAt(2), 30u);
    EXPECT_EQ(list.GetAt(-1), 0xFFFFu);
    EXPECT_EQ(list.GetAt(3), 0xFFFFu); // the count itself
}

TEST_F(GOptMediaCompositeTest, ListsStopAtTheSixteenBitCount) {
    GOptMediaComposite media;
    for (uint32_t i = 0; i < GListAttribute::kMaxCount; ++i)
        ASSERT_TRUE(media.Append(9));
    EXPECT_FALSE(media.Append(9));
    EXPECT_EQ(media.GetCount(), 0xFFFFu);
}

TEST_F(GOptMediaCompositeTest, EqualityComparesClassIdFirstWordAndValuesButNotTheSecondWord) {
    GOptMediaComposite base = MakeList(4, 100, {1, 2});
    base.SetId(8);
    struct Case {
        const char* what;
        uint32_t id;
        uint16_t first;
        uint16_t second;
        std::vector<uint16_t> values;
        bool equal;
    };
    const Case cases[] = {
        {"the same contents", 8, 4, 100, {1, 2}, true},
        {"another second word only", 8, 4, 999, {1, 2}, true},
        {"another id", 9, 4, 100, {1, 2}, false},
        {"another first word", 8, 5, 100, {1, 2}, false},
        {"one more value", 8, 4, 100, {1, 2, 3}, false},
        {"another value", 8, 4, 100, {1, 3}, false},
        {"no values", 8, 4, 100, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GOptMediaComposite other(c.first, c.second);
        other.SetId(c.id);
        for (uint16_t v : c.values)
            other.Append(v);
        EXPECT_EQ(base.IsEqualId(&other), c.equal);
        EXPECT_EQ(other.IsEqualId(&base), c.equal);
    }

    GBookletComposite booklet(4, 100);
    booklet.SetId(8);
    booklet.AppendPair(1, 2);
    EXPECT_FALSE(base.IsEqualId(&booklet)); // same contents, another class
    EXPECT_FALSE(booklet.IsEqualId(&base));
}

TEST_F(GOptMediaCompositeTest, CopiesOwnTheirValues) {
    auto original = std::make_unique<GOptMediaComposite>(MakeList(3, 4, {7, 8}));
    original->SetChanged(0);
    GOptMediaComposite copy(*original);
    std::unique_ptr<MPersistentObject> clone = original->Clone();
    GOptMediaComposite assigned;
    assigned = *original;
    original.reset(); // the copies must not share nodes with it

    const GOptMediaComposite* copies[] = {&copy, &assigned,
                                          dynamic_cast<const GOptMediaComposite*>(clone.get())};
    for (const GOptMediaComposite* list : copies) {
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->GetFirstWord(), 3u);
        EXPECT_EQ(list->GetSecondWord(), 4u);
        EXPECT_EQ(list->GetChanged(), 0u);
        EXPECT_EQ(list->GetCount(), 2u);
        EXPECT_EQ(list->GetAt(1), 8u);
    }
}

TEST_F(GOptMediaCompositeTest, SavedFormIsVersionTwoWordsCountAndValues) {
    GOptMediaComposite list = MakeList(7, 9, {5, 0xFFFE});
    list.SetId(42);
    list.SetSerial(3);
    BytesOut out;
    list.SaveGuts(out.stream);
    const std::string expected = std::string("\x01\x00\x00\x00"
                                             "\x2A\x00\x00\x00"
                                             "\x03\x00\x00\x00" // root
                                             "\x01\x00\x00\x00"
                                             "\x01\x00\x00\x00" // attribute
                                             "\x02\x00\x00\x00" // version 2
                                             "\x07\x00"
                                             "\x09\x00"         // first, second
                                             "\x02\x00\x00\x00" // count
                                             "\x05\x00"
                                             "\xFE\xFF", // values
                                             36);
    EXPECT_EQ(out.Bytes(), expected);
    EXPECT_EQ(list.BinaryStoreSize(), 12u + 8u + 12u + 4u);
    EXPECT_EQ(GOptMediaComposite().BinaryStoreSize(), 32u);
}

TEST_F(GOptMediaCompositeTest, GraphRoundTripRestoresAnEqualObject) {
    GOptMediaComposite list = MakeList(2, 3, {4, 5, 6});
    list.SetId(77);
    BytesOut out;
    out.stream << static_cast<const RWCollectable*>(&list);
    ASSERT_EQ(out.Bytes(),
              Graph(796, AttributePart(77, list.GetSerial(), 1) + ListPart(2, 2, 3, 3, {4, 5, 6})));

    BytesIn in(out.Bytes());
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(in.stream, restored);
    std::unique_ptr<MPersistentObject> owned(restored);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->IsA(), 796u);
    EXPECT_TRUE(restored->IsEqualId(&list));
    EXPECT_FALSE(in.stream.fail());
}

TEST_F(GOptMediaCompositeTest, RestoreAcceptsVersionsOneAndTwoAndRefusesOthers) {
    struct Case {
        const char* what;
        uint32_t version;
        bool accepted;
    };
    const Case cases[] = {{"version 1 read alike", 1, true},
                          {"version 2", 2, true},
                          {"version 3", 3, false},
                          {"version 0", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GOptMediaComposite list = MakeList(1, 1, {99});
        BytesIn in(AttributePart(4, 5, 0) + ListPart(c.version, 20, 21, 2, {6, 7}));
        list.RestoreGuts(in.stream);
        EXPECT_EQ(in.stream.fail(), !c.accepted);
        // The two words come before the version check and are taken either way.
        EXPECT_EQ(list.GetFirstWord(), 20u);
        EXPECT_EQ(list.GetSecondWord(), 21u);
        if (c.accepted) {
            EXPECT_EQ(list.GetCount(), 2u);
            EXPECT_EQ(list.GetAt(0), 6u);
            EXPECT_EQ(list.GetAt(1), 7u);
        } else {
            EXPECT_EQ(list.GetCount(), 1u); // the list is untouched
            EXPECT_EQ(list.GetAt(0), 99u);
        }
    }
}

TEST_F(GOptMediaCompositeTest, StoredVersionThreeRefusesTheOutermostRestore) {
    BytesIn in(Graph(796, AttributePart(4, 5, 1) + ListPart(3, 1, 2, 1, {3})));
    RWCollectable* restored = nullptr;
    RWRestoreObjectPointer(in.stream, restored);
    EXPECT_EQ(restored, nullptr);
    EXPECT_TRUE(in.stream.fail());
}

TEST_F(GOptMediaCompositeTest, DamagedCountsStopTheRestoreAndKeepTheList) {
    struct Case {
        const char* what;
        std::string list;
    };
    const Case cases[] = {
        {"count 0xFFFFFFFF with two values", ListPart(2, 1, 2, 0xFFFFFFFF, {6, 7})},
        {"count past the 16-bit bound", ListPart(2, 1, 2, 0x10000, {6, 7})},
        {"count larger than the data", ListPart(2, 1, 2, 1000, {6, 7})},
        {"cut inside a value", ListPart(2, 1, 2, 2, {6}) + U8(7)},
        {"cut before the count", U32(2) + U16(1) + U16(2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GOptMediaComposite list = MakeList(9, 9, {42});
        BytesIn in(AttributePart(4, 5, 1) + c.list);
        list.RestoreGuts(in.stream);
        EXPECT_TRUE(in.stream.fail());
        EXPECT_EQ(list.GetCount(), 1u);
        EXPECT_EQ(list.GetAt(0), 42u);

        // Through the graph: nothing comes out, nothing leaks.
        BytesIn graph(Graph(796, AttributePart(4, 5, 1) + c.list));
        RWCollectable* restored = nullptr;
        RWRestoreObjectPointer(graph.stream, restored);
        EXPECT_EQ(restored, nullptr);
    }
}
