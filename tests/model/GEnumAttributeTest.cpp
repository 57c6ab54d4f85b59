#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "LeafAttributeTestSupport.h"
#include "ModelTestObjects.h"
#include "model/GEnumAttribute.h"
#include "model/GRangeAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "rw/RWBinaryInStream.h"
#include "rw/RWLibraryError.h"

using namespace leaftest;
using modeltest::TestLeaf;

namespace {

// A choice that counts its live instances, so deletions can be seen.
class CountedChoice : public GValueAttribute {
    MPERSISTENT_CLASS_MEMBERS(CountedChoice, GValueAttribute, 0x7E41)

public:
    static inline int live = 0;
    CountedChoice() { ++live; }
    CountedChoice(uint16_t value, uint32_t id) : GValueAttribute(value, id) { ++live; }
    CountedChoice(const CountedChoice& other) : GValueAttribute(other) { ++live; }
    ~CountedChoice() override { --live; }
};

class GEnumAttributeTest : public ::testing::Test {
protected:
    void SetUp() override {
        GAddToFactory<CountedChoice>();
        liveBefore_ = CountedChoice::live;
        leavesBefore_ = TestLeaf::live;
    }
    void TearDown() override {
        EXPECT_EQ(CountedChoice::live, liveBefore_);
        EXPECT_EQ(TestLeaf::live, leavesBefore_);
    }
    int ChoicesAlive() const { return CountedChoice::live - liveBefore_; }

private:
    int liveBefore_ = 0;
    int leavesBefore_ = 0;
};

// Paper sizes 1, 2, 3 with ids 10, 11, 12.
struct Papers {
    GEnumAttribute list{40};
    CountedChoice* a = new CountedChoice(1, 10);
    CountedChoice* b = new CountedChoice(2, 11);
    CountedChoice* c = new CountedChoice(3, 12);
    Papers() {
        list.Add(a);
        list.Add(b);
        list.Add(c);
    }
};

// A value choice in the raw stream's graph form.
std::string ChoiceGraph(uint16_t classId, uint32_t id, uint32_t serial, uint16_t value) {
    return ":" + U16(classId) + "{" + Words({1, id, serial, 1, 1, 1}) + U16(value) + "}";
}

std::unique_ptr<MPersistentObject> RestoreRaw(const std::string& bytes, bool* good = nullptr) {
    std::stringbuf buffer(bytes);
    RWBinaryInStream stream(&buffer);
    MPersistentObject* restored = nullptr;
    RestoreMPersistentObjectPtr(stream, restored);
    if (good != nullptr) *good = stream.good();
    return std::unique_ptr<MPersistentObject>(restored);
}

} // namespace

// --- Adding ---------------------------------------------------------------------

TEST_F(GEnumAttributeTest, FirstChoiceSetsClassAndSelection) {
    GEnumAttribute list(40);
    EXPECT_EQ(list.GetSelection(), nullptr);
    EXPECT_EQ(list.GetElementClass(), 0);
    EXPECT_EQ(list.IsA(), 764);
    EXPECT_EQ(list.GetTypeCode(), 764);
    for (RWClassID kind : {764, 757, 753, 751})
        EXPECT_TRUE(list.IsKindOf(kind));

    auto* first = new CountedChoice(1, 10);
    list.Add(first);
    list.Add(new CountedChoice(2, 11));
    EXPECT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetElementClass(), CountedChoice::kClassId);
    EXPECT_EQ(list.GetSelection(), first); // later choices leave it
}

TEST_F(GEnumAttributeTest, AddRefusesOtherClassesEqualChoicesAndNonAttributes) {
    Papers papers;
    // Another class, even a base of the element class: deleted.
    auto* range = new GRangeAttribute(0, 9, 1, 0, 99);
    GCountedPtr watch(range); // a second holder, to see that the list did not keep it
    papers.list.Add(range);
    EXPECT_EQ(watch->GetRefCount(), 0);
    papers.list.Add(new GValueAttribute(7, 13));
    // Equal to an existing choice (another object with the same id and value): deleted.
    papers.list.Add(new CountedChoice(2, 11));
    EXPECT_EQ(papers.list.GetCount(), 3u);
    EXPECT_EQ(ChoicesAlive(), 3);
    // The same object again: nothing happens, and it stays alive.
    papers.list.Add(papers.b);
    EXPECT_EQ(papers.list.GetCount(), 3u);
    EXPECT_EQ(papers.b->GetRefCount(), 0);
    papers.list.Add(nullptr);
    EXPECT_EQ(papers.list.GetSelection(), papers.a);

    // A non-attribute offered first neither sets the class nor is selected.
    GEnumAttribute empty(41);
    empty.Add(new TestLeaf(1));
    EXPECT_EQ(empty.GetCount(), 0u);
    EXPECT_EQ(empty.GetElementClass(), 0);
    EXPECT_EQ(empty.GetSelection(), nullptr);
    auto* value = new GValueAttribute(1, 1);
    empty.Add(value);
    EXPECT_EQ(empty.GetElementClass(), GValueAttribute::kClassId);
    EXPECT_EQ(empty.GetSelection(), value);
}

// --- Removing -------------------------------------------------------------------

TEST_F(GEnumAttributeTest, RemovingTheSelectionSelectsTheFirstRemainingChoice) {
    Papers papers;
    papers.list.SelectNext(); // b
    std::unique_ptr<MPersistentObject> removed = papers.list.Remove(papers.a);
    EXPECT_EQ(removed.get(), papers.a); // sole holder: the object itself
    EXPECT_EQ(papers.list.GetSelection(), papers.b);

    removed = papers.list.Remove(papers.b);
    EXPECT_EQ(removed.get(), papers.b);
    EXPECT_EQ(papers.list.GetSelection(), papers.c);
    EXPECT_EQ(papers.list.Remove(papers.b), nullptr); // gone already

    removed = papers.list.RemoveById(12);
    EXPECT_EQ(removed.get(), papers.c);
    EXPECT_EQ(papers.list.GetCount(), 0u);
    EXPECT_EQ(papers.list.GetSelection(), nullptr);
}

TEST_F(GEnumAttributeTest, RemovingASharedSelectionHandsOutACopyAndStillMovesOn) {
    Papers papers;
    GEnumAttribute copy(papers.list); // shares every choice
    EXPECT_EQ(copy.GetSelection(), papers.a);
    std::unique_ptr<MPersistentObject> removed = papers.list.RemoveByClass(CountedChoice::kClassId);
    ASSERT_NE(removed, nullptr);
    EXPECT_NE(removed.get(), papers.a); // a copy: the other list still holds a
    EXPECT_TRUE(removed->IsEqualId(papers.a));
    EXPECT_EQ(papers.list.GetSelection(), papers.b);
    EXPECT_EQ(copy.GetSelection(), papers.a);

    papers.list.RemoveAll();
    EXPECT_EQ(papers.list.GetSelection(), nullptr);
    EXPECT_EQ(copy.GetCount(), 3u);
}

// --- Selecting ------------------------------------------------------------------

TEST_F(GEnumAttributeTest, SelectWalksTheChoicesAndStopsAtTheEnds) {
    Papers papers;
    EXPECT_EQ(papers.list.SelectPrevious(), nullptr); // at the first
    EXPECT_EQ(papers.list.GetSelection(), papers.a);
    EXPECT_EQ(papers.list.SelectNext(), papers.b);
    EXPECT_EQ(papers.list.SelectNext(), papers.c);
    EXPECT_EQ(papers.list.SelectNext(), nullptr); // at the last
    EXPECT_EQ(papers.list.GetSelection(), papers.c);
    EXPECT_EQ(papers.list.SelectPrevious(), papers.b);

    const CountedChoice equalToA(1, 10);
    EXPECT_EQ(papers.list.Select(&equalToA), papers.a); // by equality, not identity
    const CountedChoice nowhere(9, 10);
    EXPECT_EQ(papers.list.Select(&nowhere), nullptr);
    EXPECT_EQ(papers.list.GetSelection(), papers.a);
}

TEST_F(GEnumAttributeTest, CopiesCloneAndReplaceKeepTheChoice) {
    Papers papers;
    papers.list.SelectNext(); // b
    GEnumAttribute copy(papers.list);
    EXPECT_EQ(copy.GetSelection(), papers.b); // the shared object
    EXPECT_EQ(copy.GetElementClass(), CountedChoice::kClassId);
    EXPECT_TRUE(copy.IsEqualId(&papers.list));

    std::unique_ptr<MPersistentObject> clone = papers.list.Clone();
    auto* cloned = dynamic_cast<GEnumAttribute*>(clone.get());
    ASSERT_NE(cloned, nullptr);
    ASSERT_NE(cloned->GetSelection(), nullptr);
    EXPECT_NE(cloned->GetSelection(), papers.b);
    EXPECT_TRUE(cloned->GetSelection()->IsEqualId(papers.b));
    EXPECT_TRUE(cloned->IsEqualId(&papers.list));
    clone.reset();

    // The selected choice replaced: the selection follows to the replacement.
    const CountedChoice letter(5, 11);
    EXPECT_EQ(papers.list.ReplaceById(11, &letter), 1);
    ASSERT_NE(papers.list.GetSelection(), nullptr);
    EXPECT_TRUE(papers.list.GetSelection()->IsEqualId(&letter));
    EXPECT_EQ(papers.list.GetSelection(), papers.list.GetChildren().At(1).Get());

    // Different selections make the lists unequal.
    EXPECT_TRUE(copy.IsEqualId(&copy));
    GEnumAttribute other(copy);
    other.SelectNext();
    EXPECT_FALSE(other.IsEqualId(&copy));
}

TEST_F(GEnumAttributeTest, ASelectionSwappedOutBehindTheListsBackFallsBackToTheFirstChoice) {
    Papers papers;
    papers.list.SelectNext(); // b
    std::unique_ptr<MPersistentIterator> walk = papers.list.CreateIterator();
    ASSERT_TRUE(walk->Advance());
    ASSERT_TRUE(walk->Advance());                   // on b
    walk->ReplaceCurrent(new CountedChoice(8, 18)); // b is freed here
    EXPECT_EQ(papers.list.GetSelection(), papers.a);
}

// --- Attribute protocol -------------------------------------------------------

TEST_F(GEnumAttributeTest, ApplyHandsTheWholeListOverOnceAndClearsItsFlag) {
    Papers papers;
    RecordingPeripheral device;
    device.status = 0x1F;
    EXPECT_EQ(papers.list.Apply(device), 0x1F);
    EXPECT_EQ(device.calls[RecordingPeripheral::kEnum], 1);
    EXPECT_EQ(device.TotalCalls(), 1); // the choices are not applied one by one
    EXPECT_EQ(device.last, &papers.list);
    EXPECT_EQ(papers.list.GetChanged(), 0u);
    EXPECT_EQ(papers.a->GetChanged(), 1u);

    GCountedPtr offered(new GEnumAttribute(40));
    papers.list.AssignFrom(static_cast<GAttribute*>(offered.Get()));
    EXPECT_EQ(papers.list.GetCount(), 3u); // AssignFrom does nothing
    EXPECT_EQ(papers.list.GetChanged(), 0u);
}

// --- Persistence ----------------------------------------------------------------

TEST_F(GEnumAttributeTest, SavedFormBackReferencesTheSelectedChild) {
    GEnumAttribute list(50);
    list.SetSerial(60);
    auto* first = new GValueAttribute(7, 10);
    auto* second = new GValueAttribute(8, 11);
    first->SetSerial(70);
    second->SetSerial(71);
    list.Add(first);
    list.Add(second);
    list.SelectNext();

    // Indexes: nil 0, the list 1, first 2, second 3.
    const std::string expected = ":" + U16(764) + "{" + Words({1, 50, 60, 1, 1}) + Words({1, 2}) +
                                 ChoiceGraph(763, 10, 70, 7) + ChoiceGraph(763, 11, 71, 8) + U32(1) + "@" +
                                 U32(3) + U16(763) + "}";
    EXPECT_EQ(SaveGraph(&list, Carrier::Raw), expected);

    const std::string file = SaveGraph(&list, Carrier::File);
    EXPECT_EQ(list.RecursiveStoreSize(), file.size());
    list.RemoveAll();
    EXPECT_EQ(list.RecursiveStoreSize(), SaveGraph(&list, Carrier::File).size()); // nil selection
}

TEST_F(GEnumAttributeTest, RestoreKeepsTheSelectionOnTheRestoredChild) {
    Papers papers;
    papers.list.SelectNext(); // b
    for (Carrier carrier : kCarriers) {
        SCOPED_TRACE(CarrierName(carrier));
        std::unique_ptr<MPersistentObject> restored(RestoreGraph(SaveGraph(&papers.list, carrier), carrier));
        auto* list = dynamic_cast<GEnumAttribute*>(restored.get());
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(list->IsEqualId(&papers.list));
        ASSERT_EQ(list->GetCount(), 3u);
        MPersistentObject* second = list->GetChildren().At(1).Get();
        EXPECT_EQ(list->GetSelection(), second);
        EXPECT_EQ(second->GetRefCount(), 0); // held by the list alone
        EXPECT_EQ(ChoicesAlive(), 6);
    }
}

TEST_F(GEnumAttributeTest, RestoreRefusesASelectionThatIsNotAChild) {
    const std::string head = ":" + U16(764) + "{" + Words({1, 50, 60, 1, 1}) + Words({1, 2}) +
                             ChoiceGraph(0x7E41, 10, 70, 7) + ChoiceGraph(0x7E41, 11, 71, 8) + U32(1);
    const std::string tail = U16(0x7E41) + "}";
    const struct {
        const char* what;
        std::string selection;
    } cases[] = {
        {"a new object equal to the second child", ChoiceGraph(0x7E41, 11, 71, 8)},
        {"a new object of another class", ChoiceGraph(763, 12, 72, 9)},
        {"the nil object", "@" + U32(0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bool good = false;
        std::unique_ptr<MPersistentObject> restored = RestoreRaw(head + c.selection + tail, &good);
        auto* list = dynamic_cast<GEnumAttribute*>(restored.get());
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(good);
        EXPECT_EQ(list->GetSelection(), list->GetChildren().At(0).Get());
        EXPECT_EQ(list->GetChildren().At(0)->GetRefCount(), 0);
        EXPECT_EQ(list->GetElementClass(), 0x7E41);
    }
    // The refused object stays alive for a later back-reference of the same
    // graph: here a node (index 1) holding the list (2, choices 3 and 4) and
    // then the refused selection (5) again.
    const std::string list = ":" + U16(764) + "{" + Words({1, 50, 60, 1, 1}) + Words({1, 2}) +
                             ChoiceGraph(0x7E41, 10, 70, 7) + ChoiceGraph(0x7E41, 11, 71, 8) + U32(1) +
                             ChoiceGraph(0x7E41, 12, 72, 9) + tail;
    const std::string node =
        ":" + U16(757) + "{" + Words({1, 5, 6, 1, 1}) + Words({1, 2}) + list + "@" + U32(5) + "}";
    bool good = false;
    std::unique_ptr<MPersistentObject> restored = RestoreRaw(node, &good);
    ASSERT_NE(restored, nullptr);
    EXPECT_TRUE(good);
    ASSERT_EQ(restored->GetCount(), 2u);
    const MPersistentObject* refused = restored->FindById(12);
    ASSERT_NE(refused, nullptr);
    EXPECT_EQ(static_cast<const GValueAttribute*>(refused)->GetValue(), 9);
    auto* inner = dynamic_cast<GEnumAttribute*>(restored->FindById(50));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->GetSelection(), inner->GetChildren().At(0).Get());
    restored.reset();
    EXPECT_EQ(ChoicesAlive(), 0);

    // The list itself as its selection: a cycle, refused with the whole graph.
    EXPECT_THROW(RestoreRaw(head + "@" + U32(1) + tail), RWInternalError);
    // Not an attribute.
    EXPECT_THROW(RestoreRaw(head + ":" + U16(0x8007) + "{}" + tail), RWInternalError);
}

TEST_F(GEnumAttributeTest, RestoreOfAnotherVersionNeverLeavesTheOldSelection) {
    Papers papers;
    papers.list.SelectNext(); // b, which the restore lets go
    // New children, then the list's own version word 2.
    const std::string bytes = ":" + U16(764) + "{" + Words({1, 40, 60, 1, 1}) + Words({1, 1}) +
                              ChoiceGraph(0x7E41, 20, 80, 4) + U32(2) + "@" + U32(2) + U16(0x7E41) + "}";
    std::stringbuf buffer(bytes);
    RWBinaryInStream stream(&buffer);
    stream >> static_cast<RWCollectable&>(papers.list);
    EXPECT_TRUE(stream.fail());
    ASSERT_EQ(papers.list.GetCount(), 1u);
    EXPECT_EQ(papers.list.GetSelection(), papers.list.GetChildren().At(0).Get());
    EXPECT_EQ(ChoicesAlive(), 1);
}
