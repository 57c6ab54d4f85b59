// Command lists: building them, playing them on a device (children replaced
// in place, the walk ended by an error), and their saved form, worked out by
// hand for a page [page start, null command, page end] sharing one state.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "job/GNullCommand.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "job/GPassThroughCommand.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentIterator.h"
#include "pipeline/GCommandComposite.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GNoCommand.h"
#include "tests/device/JobTestSupport.h"
#include "tests/paper/PaperBytes.h"

using namespace jobtest;
using leaftest::Carrier;
using leaftest::U32;
using leaftest::Words;
using papertest::Form;

namespace {

// A value setting that counts how many of its kind are alive (not a command).
class CountedValue : public GValueAttribute {
public:
    static inline int live = 0;
    CountedValue() : GValueAttribute(1, 300) { ++live; }
    ~CountedValue() override { --live; }
};

std::vector<MPersistentObject*> Children(GCommandComposite& list) {
    std::vector<MPersistentObject*> children;
    std::unique_ptr<MPersistentIterator> it = list.CreateIterator();
    while (it->Advance())
        children.push_back(it->Current());
    return children;
}

// The page of the round-trip tests, with fixed serials so its bytes are known.
GCountedPtr MakePage() {
    auto* state = new GState(0);
    state->SetSerial(0x30);
    auto* list = new GCommandComposite();
    list->SetSerial(0x10);
    auto* start = new GPageStart(state, 0);
    start->SetSerial(0x21);
    auto* null = new GNullCommand(state, 0);
    null->SetSerial(0x22);
    auto* end = new GPageEnd(state, 0);
    end->SetSerial(0x23);
    list->Append(start);
    list->Append(null);
    list->Append(end);
    // The embedded list's own serial.
    const_cast<MPersistentComposite&>(list->GetList()).SetSerial(0x11);
    return GCountedPtr(list);
}

// Worked out from the saved forms: the composite (class 605: root, GCommand
// version, nil state, its version, then the embedded list in place: root,
// version, count 3), the page start (709) with the state (758, id 256 after
// the stamp) in full, then the null command (712) and the page end (710)
// referring back to the state, object index 3 (1 the composite, 2 the page
// start).
std::string PageBytes(Carrier carrier) {
    const Form f(carrier);
    const std::string state = f.Object(758, Words({1, 256, 0x30, 1, 1, 1, 0, 1}));
    const std::string start = f.Object(709, Words({1, 0, 0x21, 1}) + state + Words({1, 1}));
    const std::string null = f.Object(712, Words({1, 0, 0x22, 1}) + f.Ref(3) + U32(1));
    const std::string end = f.Object(710, Words({1, 0, 0x23, 1}) + f.Ref(3) + Words({1, 1}));
    return f.Graph(605, Words({1, 0, 0x10, 1}) + f.Ref(0) + U32(1) + Words({1, 0, 0x11, 1, 3}) + start +
                            null + end);
}

// Hands back a GNoCommand for the commands of one class, and a replacement
// for another.
class RewritingDevice : public RecordingDevice {
public:
    RWClassID swallow = 0;
    RWClassID replace = 0;

    GCountedPtr HandleCommand(const GCountedPtr& command) override {
        if (command->IsA() == swallow) return GCountedPtr(new GNoCommand());
        if (command->IsA() == replace) return GCountedPtr(new GNullCommand());
        return RecordingDevice::HandleCommand(command);
    }
};

} // namespace

TEST(GCommandCompositeTest, OnlyCommandsAreAppended) {
    GCommandComposite list;
    EXPECT_EQ(list.GetCount(), 0u);
    std::unique_ptr<MPersistentIterator> empty = list.CreateIterator();
    EXPECT_FALSE(empty->Advance());

    CountedValue::live = 0;
    list.Append(new CountedValue());
    list.Prepend(new CountedValue());
    EXPECT_EQ(CountedValue::live, 0);
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.GetChanged(), 0u);
    list.Append(nullptr);
    EXPECT_EQ(list.GetChanged(), 0u);

    auto* b = new GPageStart();
    auto* c = new GPageEnd();
    auto* a = new GNullCommand();
    list.Append(b);
    list.Append(c);
    list.Prepend(a);
    EXPECT_EQ(Children(list), (std::vector<MPersistentObject*>{a, b, c}));
    EXPECT_EQ(list.GetChanged(), 1u);
}

TEST(GCommandCompositeTest, RemovingAndReplacingMarkTheListOnlyWhenTheyMatch) {
    GCommandComposite list;
    list.Append(new GPageStart(3));
    list.Append(new GPageEnd(4));
    list.SetChanged(0);

    EXPECT_EQ(list.RemoveById(99), nullptr);
    EXPECT_EQ(list.ReplaceById(99, GCountedPtr(new GNullCommand()).Get()), 0);
    GCountedPtr value(new GValueAttribute(1, 300));
    EXPECT_EQ(list.ReplaceById(3, value.Get()), 0); // not a command
    list.RemoveAll();                               // not offered
    EXPECT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetChanged(), 0u);

    GNullCommand replacement(7);
    EXPECT_EQ(list.ReplaceById(3, &replacement), 1);
    EXPECT_EQ(list.GetChanged(), 1u);
    // A clone of the replacement (a command copy: id 0) takes the slot.
    EXPECT_NE(list.FindByClass(GNullCommand::kClassId), nullptr);
    EXPECT_EQ(list.FindById(3), nullptr);
    list.SetChanged(0);
    std::unique_ptr<MPersistentObject> removed = list.RemoveById(4);
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->IsA(), GPageEnd::kClassId);
    EXPECT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetChanged(), 1u);
}

TEST(GCommandCompositeTest, ACopySharesTheChildrenAndEqualityFollowsTheirOrder) {
    GCountedPtr a(new GPageStart(1));
    GCountedPtr b(new GNullCommand(2));
    GCountedPtr c(new GPageEnd(3));
    GCommandComposite list(9);
    for (const GCountedPtr& child : {a, b, c})
        list.Append(child.Get());
    const int32_t before = b->GetRefCount();

    GCommandComposite copy(list);

    EXPECT_EQ(Children(copy), Children(list));
    EXPECT_EQ(b->GetRefCount(), before + 1);

    // Other objects, equal to the children, in the same order; the same
    // children in another order.
    GCommandComposite same(9);
    same.Append(new GPageStart(1));
    same.Append(new GNullCommand(2));
    same.Append(new GPageEnd(3));
    GCommandComposite reordered(9);
    for (const GCountedPtr& child : {a, c, b})
        reordered.Append(child.Get());
    EXPECT_TRUE(list.IsEqualId(&same));
    EXPECT_TRUE(list.IsEqual(&same));
    EXPECT_FALSE(list.IsEqualId(&reordered));
    EXPECT_FALSE(list.IsEqualId(&copy)); // the copy has id 0
}

TEST(GCommandCompositeTest, PlayingAnEmptyListPlaysNothing) {
    RecordingDevice device;
    GCountedPtr list(new GCommandComposite());
    EXPECT_EQ(device.Process(list).Get(), list.Get());
    EXPECT_TRUE(device.Log().empty());
}

TEST(GCommandCompositeTest, ASwallowedChildBecomesANoCommandInItsPlace) {
    RewritingDevice device;
    device.swallow = GNullCommand::kClassId;
    GCountedPtr start(new GPageStart());
    GCountedPtr end(new GPageEnd());
    GCountedPtr list(new GCommandComposite());
    auto* page = list.As<GCommandComposite>();
    page->Append(start.Get());
    page->Append(new GNullCommand());
    page->Append(end.Get());
    page->SetChanged(0);

    EXPECT_EQ(device.Process(list).Get(), list.Get());

    const std::vector<MPersistentObject*> children = Children(*page);
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0], start.Get());
    EXPECT_EQ(children[1]->IsA(), GNoCommand::kClassId);
    EXPECT_EQ(children[2], end.Get());
    EXPECT_EQ(page->GetChanged(), 1u);
    EXPECT_EQ(device.Operations(), (std::vector<std::string>{"OnPageStart", "OnPageEnd"}));
}

TEST(GCommandCompositeTest, AnErrorAtTheThirdChildKeepsTheFirstTwoResultsAndStops) {
    RewritingDevice device;
    device.replace = GPageStart::kClassId;
    device.statuses["OnPageEnd"] = 0x259;
    GCountedPtr third(new GPageEnd());
    GCountedPtr fourth(new GPageEnd());
    GCountedPtr list(new GCommandComposite());
    auto* page = list.As<GCommandComposite>();
    page->Append(new GPageStart());
    page->Append(new GPageStart());
    page->Append(third.Get());
    page->Append(fourth.Get());

    EXPECT_EQ(device.Process(list).Get(), list.Get());

    const std::vector<MPersistentObject*> children = Children(*page);
    ASSERT_EQ(children.size(), 4u);
    EXPECT_EQ(children[0]->IsA(), GNullCommand::kClassId);
    EXPECT_EQ(children[1]->IsA(), GNullCommand::kClassId);
    EXPECT_EQ(children[2], third.Get()); // the failed child stays, the error is not kept
    EXPECT_EQ(children[3], fourth.Get());
    EXPECT_EQ(device.Operations(), std::vector<std::string>{"OnPageEnd"}); // the fourth is never played
}

TEST(GCommandCompositeTest, APageSharingOneStateSavesToTheBytesWorkedOutByHand) {
    GCountedPtr page = MakePage();
    for (Carrier carrier : papertest::kBinaryCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        EXPECT_EQ(papertest::Save(*page, carrier), PageBytes(carrier));
    }
    // 4 magic + 2 class + 26 base and version + 20 list + 60 + 28 + 32 children.
    EXPECT_EQ(PageBytes(Carrier::File).size(), 172u);
    EXPECT_EQ(page->RecursiveStoreSize(), 172u);
}

TEST(GCommandCompositeTest, APageRoundTripsOnEveryCarrierWithOneSharedState) {
    GCountedPtr page = MakePage();
    for (Carrier carrier : leaftest::kCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const std::string bytes = papertest::Save(*page, carrier);
        GCountedPtr restored(papertest::Restore(bytes, carrier).release());
        auto* list = restored.As<GCommandComposite>();
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(list->IsEqualId(page.Get()));
        EXPECT_EQ(list->GetChanged(), 0u);
        const std::vector<MPersistentObject*> children = Children(*list);
        ASSERT_EQ(children.size(), 3u);
        GState* state = static_cast<GCommand*>(children[0])->GetState();
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->GetId(), 256u);
        EXPECT_EQ(static_cast<GCommand*>(children[1])->GetState(), state);
        EXPECT_EQ(static_cast<GCommand*>(children[2])->GetState(), state);
        EXPECT_EQ(state->GetRefCount(), 2); // three holders
        if (carrier == Carrier::Raw || carrier == Carrier::File) {
            EXPECT_EQ(papertest::Save(*list, carrier), bytes);
        }
    }
}

TEST(GCommandCompositeTest, AListHoldingAnythingButCommandsIsRefused) {
    // The page's bytes with the null command's class replaced by a value
    // setting's: a list member that is not a command.
    const Form f(Carrier::Raw);
    const std::string value = papertest::Save(GValueAttribute(5, 300), Carrier::Raw);
    const std::string bytes =
        f.Graph(605, Words({1, 0, 0x10, 1}) + f.Ref(0) + U32(1) + Words({1, 0, 0x11, 1, 1}) + value);
    EXPECT_EQ(papertest::Restore(bytes, Carrier::Raw), nullptr);
    papertest::ExpectEveryCutRefused(PageBytes(Carrier::Raw), Carrier::Raw);
    papertest::ExpectEveryCutRefused(PageBytes(Carrier::File), Carrier::File);
}

TEST(GCommandCompositeTest, MakeSelfContainedReachesEveryChild) {
    auto lent = std::make_unique<uint8_t[]>(2);
    lent[0] = 'A';
    lent[1] = 'B';
    GCommandComposite list;
    auto* bytes = new GPassThroughCommand(lent.get(), 2, 767);
    list.Append(bytes);
    list.MakeSelfContained();
    lent.reset();
    EXPECT_EQ(bytes->IsOwned(), 1u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes->GetData()), 2), "AB");
}
