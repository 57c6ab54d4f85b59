// The peripheral composite: the series through its children, the active
// chain of a document, the combined queries, the children composite, its
// listener bookkeeping and its saved form.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/GPeripheralComposite.h"
#include "device/GPeripheralProxy.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GJobAbort.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GNoCommand.h"
#include "tests/device/JobTestSupport.h"
#include "tests/paper/PaperBytes.h"

using namespace jobtest;
using leaftest::Carrier;

namespace {

// A child with set answers for the combined queries, which swallows the
// commands of one class.
class QueryDevice : public RecordingDevice {
public:
    QueryDevice(std::string name, CallLog* log) : RecordingDevice(std::move(name), log) {}
    uint32_t flags = 0;
    GScalePair scale;
    int ready = 1;
    RWClassID swallow = 0;
    int scaleCalls = 0;

    uint32_t GetFilterFlags() const override { return flags; }
    GScalePair GetDefaultScale(MPersistentObject*, MPersistentObject*, uint32_t, uint32_t*) override {
        ++scaleCalls;
        return scale;
    }
    int IsReady() const override { return ready; }
    GCountedPtr HandleCommand(const GCountedPtr& command) override {
        if (command->IsA() == swallow) return GCountedPtr(new GNoCommand());
        return RecordingDevice::HandleCommand(command);
    }
};

GCountedPtr Play(GPeripheral& device, MPersistentObject* command) {
    return device.Process(GCountedPtr(command));
}

} // namespace

TEST(GPeripheralCompositeTest, WithoutChildrenEveryCommandPassesUnchanged) {
    GPeripheralComposite composite;
    for (MPersistentObject* command : std::initializer_list<MPersistentObject*>{
             new GDocumentStart(), new GPageStart(), new GPageEnd(), new GDocumentEnd()}) {
        GCountedPtr held(command);
        EXPECT_EQ(composite.Process(held).Get(), command);
    }
}

TEST(GPeripheralCompositeTest, ADocumentStartFailingAtTheFirstChildReachesNoLaterChild) {
    CallLog log;
    GPeripheralComposite composite;
    auto* first = new RecordingDevice("first", &log);
    first->statuses["OnDocumentStart"] = 0x259;
    composite.Add(first);
    composite.Add(new RecordingDevice("second", &log));
    GCountedPtr start(new GDocumentStart());

    GCountedPtr answer = composite.Process(start);

    auto* error = answer.As<GErrorCommand>();
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->GetErrorCode(), 0x259);
    EXPECT_EQ(error->GetObject(), start.Get());
    EXPECT_EQ(log, std::vector<std::string>{"first:OnDocumentStart"});
}

TEST(GPeripheralCompositeTest, AnEmptyOrErrorAnswerEndsTheWalkForThatCommand) {
    CallLog log;
    GPeripheralComposite composite;
    auto* first = new QueryDevice("first", &log);
    first->swallow = GPageStart::kClassId;
    first->statuses["OnPageEnd"] = 9;
    composite.Add(first);
    composite.Add(new RecordingDevice("second", &log));
    Play(composite, new GDocumentStart());
    log.clear();

    EXPECT_EQ(Play(composite, new GPageStart())->IsA(), GNoCommand::kClassId);
    GCountedPtr answer = Play(composite, new GPageEnd());
    EXPECT_EQ(answer->IsA(), GErrorCommand::kClassId);
    EXPECT_EQ(log, std::vector<std::string>{"first:OnPageEnd"});
}

TEST(GPeripheralCompositeTest, OnlyChildrenStillEnabledAfterTheStartSeeTheDocument) {
    CallLog log;
    GPeripheralComposite composite;
    auto* quits = new RecordingDevice("quits", &log);
    quits->disableOn = "OnDocumentStart";
    auto* off = new RecordingDevice("off", &log);
    off->Disable();
    composite.Add(quits);
    composite.Add(off);
    composite.Add(new RecordingDevice("stays", &log));

    Play(composite, new GDocumentStart());
    EXPECT_EQ(log, (std::vector<std::string>{"quits:OnDocumentStart", "stays:OnDocumentStart"}));
    ASSERT_EQ(composite.GetActiveChildren().size(), 1u);
    log.clear();
    Play(composite, new GPageStart());
    Play(composite, new GDocumentEnd());
    EXPECT_EQ(log, (std::vector<std::string>{"stays:OnPageStart", "stays:OnDocumentEnd"}));
    EXPECT_TRUE(composite.GetActiveChildren().empty());

    // Reset enables every child for the next job.
    composite.Reset();
    log.clear();
    Play(composite, new GDocumentStart());
    EXPECT_EQ(log.size(), 3u);
}

TEST(GPeripheralCompositeTest, ProxiesLeaveTheChildrenAndTheActiveChainAtDocumentEnd) {
    for (RWClassID endClass : {GDocumentEnd::kClassId, GJobAbort::kClassId}) {
        CallLog log;
        GPeripheralComposite composite(u"chain", nullptr, nullptr, 0, 64, GPeripheral::kPdlPcl,
                                       GPeripheral::kAddOnPerCommand);
        auto* proxy = new GPeripheralProxy(new RecordingDevice("held", &log));
        composite.Add(proxy);
        composite.Add(new RecordingDevice("device", &log));
        Play(composite, new GDocumentStart());
        ASSERT_EQ(composite.GetActiveChildren().size(), 2u);
        EXPECT_EQ(composite.GetActiveChildren()[0], proxy);

        Play(composite, endClass == GDocumentEnd::kClassId ? static_cast<GCommand*>(new GDocumentEnd())
                                                           : new GJobAbort());

        EXPECT_TRUE(composite.GetActiveChildren().empty());
        ASSERT_EQ(composite.GetAllChildren().size(), 1u);
        EXPECT_NE(composite.GetAllChildren()[0]->IsA(), GPeripheralProxy::kClassId);
    }
}

TEST(GPeripheralCompositeTest, TheCombinedQueriesOfTheChildren) {
    GPeripheralComposite composite;
    auto* a = new QueryDevice("a", nullptr);
    auto* b = new QueryDevice("b", nullptr);
    auto* off = new QueryDevice("off", nullptr);
    auto* last = new QueryDevice("last", nullptr);
    a->flags = 0x2;
    a->scale = {0.5f, 2.0f};
    b->flags = 0x8;
    b->scale = {0.0f, 0.0f};
    off->flags = 0x8000;
    off->Disable();
    last->scale = {3.0f, 3.0f};
    for (GPeripheral* child : {static_cast<GPeripheral*>(a), static_cast<GPeripheral*>(b),
                               static_cast<GPeripheral*>(off), static_cast<GPeripheral*>(last)})
        composite.Add(child);

    EXPECT_EQ(composite.GetFilterFlags(), 0xAu);
    const GScalePair scale = composite.GetDefaultScale(nullptr, nullptr, 0, nullptr);
    EXPECT_EQ(scale.x, 0.0f);
    EXPECT_EQ(scale.y, 0.0f);
    EXPECT_EQ(last->scaleCalls, 0); // stopped once both factors were 0
    EXPECT_EQ(off->scaleCalls, 0);
    EXPECT_EQ(composite.IsReady(), 1);
    off->ready = 0; // disabled children count too
    EXPECT_EQ(composite.IsReady(), 0);
}

TEST(GPeripheralCompositeTest, ChildrenAreDevicesListenedToAndTheirGroupsCollected) {
    GPeripheralComposite composite;
    GCountedPtr value(new GValueAttribute(1, 300));
    composite.Add(value.Get());
    EXPECT_EQ(composite.GetCount(), 0u);
    EXPECT_EQ(value->GetRefCount(), 0); // released, not kept

    // A child the test also holds, and one only the composite holds.
    GCountedPtr held(new GPeripheralComposite(5));
    auto* device = held.As<GPeripheralComposite>();
    composite.Add(device);
    auto* only = new GPeripheralComposite(6);
    composite.Add(only);
    EXPECT_EQ(device->GetListenerCount(), 1u);
    EXPECT_EQ(device->GetListener(0), &composite);

    // The children composite: the own group first, then the children's.
    MPersistentComposite* groups = composite.GetChildren();
    ASSERT_EQ(groups->GetCount(), 3u);
    EXPECT_EQ(groups->GetChildren().At(0).Get(), composite.GetOwnChildren());
    EXPECT_EQ(groups->GetChildren().At(1).Get(), device->GetChildren());
    EXPECT_EQ(groups->GetChildren().At(2).Get(), only->GetChildren());

    // Removed, a shared child comes back as a copy, an unshared one as itself.
    std::unique_ptr<MPersistentObject> copy = composite.Remove(device);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy.get(), device);
    EXPECT_EQ(device->GetListenerCount(), 0u);
    std::unique_ptr<MPersistentObject> itself = composite.RemoveById(6);
    EXPECT_EQ(itself.get(), only);
    EXPECT_EQ(only->GetListenerCount(), 0u);
    EXPECT_EQ(composite.RemoveById(6), nullptr);
    EXPECT_EQ(composite.GetCount(), 0u);
    EXPECT_EQ(composite.GetChildren()->GetCount(), 1u);
}

TEST(GPeripheralCompositeTest, ACompositeLeavesItsChildrensListenerListsWhenItGoes) {
    GCountedPtr child(new RecordingDevice("child"));
    auto* device = child.As<RecordingDevice>();
    {
        GPeripheralComposite composite;
        composite.Add(device);
        EXPECT_EQ(device->GetListenerCount(), 1u);
    }
    EXPECT_EQ(device->GetListenerCount(), 0u);
    device->NotifyListeners(device); // would reach a freed composite otherwise
}

TEST(GPeripheralCompositeTest, RoundTripKeepsTheChildrenListeningToTheRestoredComposite) {
    GPeripheralComposite composite(u"chain", nullptr, nullptr, 12, 64, 2, 0);
    auto* first = new GPeripheralComposite(5);
    first->SetName(u"first");
    composite.Add(first);
    composite.Add(new GPeripheralComposite(6));
    composite.GetOwnDefaultState()->Add(new GValueAttribute(3, 300));

    for (Carrier carrier : leaftest::kCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        const std::string bytes = papertest::Save(composite, carrier);
        GCountedPtr restored(papertest::Restore(bytes, carrier).release());
        auto* copy = restored.As<GPeripheralComposite>();
        ASSERT_NE(copy, nullptr);
        const std::vector<GPeripheral*> children = copy->GetAllChildren();
        ASSERT_EQ(children.size(), 2u);
        for (GPeripheral* child : children) {
            ASSERT_EQ(child->GetListenerCount(), 1u);
            EXPECT_EQ(child->GetListener(0), copy);
        }
        RWWString name;
        children[0]->GetName(name);
        EXPECT_EQ(name, RWWString(u"first"));
        EXPECT_EQ(children[1]->GetId(), 6u);
        EXPECT_EQ(copy->GetAddOnMode(), 0u);
        EXPECT_EQ(copy->GetPdlKind(), 2u);
        EXPECT_NE(copy->GetOwnDefaultState()->FindById(300), nullptr);
        // The children composite's groups are the children's own again.
        EXPECT_EQ(copy->GetChildren()->GetChildren().At(1).Get(), children[0]->GetChildren());
        if (carrier == Carrier::File) {
            EXPECT_EQ(composite.RecursiveStoreSize(), bytes.size());
        }
        if (carrier == Carrier::Raw || carrier == Carrier::File) {
            EXPECT_EQ(papertest::Save(*copy, carrier), bytes);
        }
    }
}

TEST(GPeripheralCompositeTest, AListenerTheGraphDoesNotHoldIsRefused) {
    // The listener is met first in the listener list: nobody would own it.
    GPeripheralComposite outside;
    GPeripheralComposite device;
    device.AddListener(&outside);
    for (Carrier carrier : leaftest::kCarriers) {
        SCOPED_TRACE(leaftest::CarrierName(carrier));
        EXPECT_EQ(papertest::Restore(papertest::Save(device, carrier), carrier), nullptr);
    }
    device.RemoveListener(&outside);
    for (Carrier carrier : papertest::kBinaryCarriers) {
        papertest::ExpectEveryCutRefused(papertest::Save(device, carrier), carrier);
    }
}

TEST(GPeripheralCompositeTest, ADeepCopyCopiesTheChildrenAndListensToTheCopies) {
    GPeripheralComposite composite(u"chain", nullptr, nullptr, 12, 64, 2, 0);
    auto* child = new GPeripheralComposite(5);
    composite.Add(child);
    composite.GetOwnCurrentState()->Add(new GValueAttribute(3, 300));

    GCountedPtr clone(composite.Clone());
    auto* copy = clone.As<GPeripheralComposite>();
    ASSERT_NE(copy, nullptr);
    const std::vector<GPeripheral*> children = copy->GetAllChildren();
    ASSERT_EQ(children.size(), 1u);
    EXPECT_NE(children[0], child);
    EXPECT_EQ(children[0]->GetId(), 5u);
    EXPECT_EQ(children[0]->GetListener(0), copy);
    EXPECT_EQ(child->GetListenerCount(), 1u); // still only the original's
    EXPECT_NE(copy->GetOwnCurrentState(), composite.GetOwnCurrentState());
    EXPECT_TRUE(copy->GetOwnCurrentState()->IsEqualId(composite.GetOwnCurrentState()));
}
