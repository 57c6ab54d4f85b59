// The device base: its defaults, the group cache, playing a command (state
// applied, operation called, a failure turned into an error command),
// listeners, Reset, the state word and the owned channel.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GDownloadHeaderCommand.h"
#include "job/GJobAbort.h"
#include "job/GNullCommand.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "job/GPassThroughCommand.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MPersistentComposite.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GNoCommand.h"
#include "pipeline/GPeripheral.h"
#include "tests/device/JobTestSupport.h"

using namespace jobtest;

namespace {

// Settings that note in one log when a device is handed them.
CallLog gApplied;

class NotedSetting : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(NotedSetting, GAttribute, 0x7E41)

public:
    NotedSetting() = default;
    explicit NotedSetting(uint32_t id) : GAttribute(id) {}
    uint16_t Apply(GPeripheral&) override {
        gApplied.push_back("setting " + std::to_string(GetId()));
        return 0;
    }
};

// Stands for the transform (class 103) that a graphic bundle holds.
class NotedTransform : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(NotedTransform, GAttribute, 103)

public:
    NotedTransform() = default;
    uint16_t Apply(GPeripheral&) override {
        gApplied.push_back("transform");
        return 0;
    }
};

// Counts the notices it receives.
class Listener : public GPeripheral {
public:
    int notices = 0;
    GPeripheral* lastSource = nullptr;
    void NotifyListeners(GPeripheral* source) override {
        ++notices;
        lastSource = source;
    }
};

} // namespace

TEST(GPeripheralTest, ANewDeviceHasTheDefaults) {
    RecordingDevice device;
    EXPECT_EQ(device.IsEnabled(), 1u);
    EXPECT_EQ(device.GetStateWord(), GPeripheral::kIdle);
    EXPECT_EQ(device.GetPdlKind(), 6u);
    EXPECT_EQ(device.GetAddOnMode(), 2u);
    EXPECT_EQ(device.GetAddOnListId(), 64u);
    EXPECT_EQ(device.GetCurrentState()->GetId(), 243u);
    EXPECT_EQ(device.GetDefaultState()->GetId(), 243u);
    EXPECT_NE(device.GetCurrentState(), device.GetDefaultState());
    EXPECT_EQ(device.GetChildren()->GetId(), 198u);
    EXPECT_EQ(device.GetChannel(), nullptr);
    EXPECT_EQ(device.IsReady(), 1);
    EXPECT_EQ(device.GetFilterFlags(), 0u);
    const GScalePair scale = device.GetDefaultScale(nullptr, nullptr, 0, nullptr);
    EXPECT_EQ(scale.x, 1.0f);
    EXPECT_EQ(scale.y, 1.0f);
    EXPECT_TRUE(device.IsKindOf(760));
    EXPECT_TRUE(device.IsKindOf(753));
    EXPECT_TRUE(device.IsKindOf(751));

    // The base answers 0 to the operations a plain device is handed.
    GPeripheral plain;
    GValueAttribute value(1, 300);
    GStringAttribute text("x", 301);
    EXPECT_EQ(plain.OnValueAttribute(value), 0);
    EXPECT_EQ(plain.OnStringAttribute(text), 0);
    GPassThroughCommand bytes;
    GDownloadHeaderCommand header;
    GErrorCommand error;
    EXPECT_EQ(plain.OnPassThroughCommand(bytes), 0);
    EXPECT_EQ(plain.OnDownloadHeaderCommand(header), 0);
    EXPECT_EQ(plain.OnErrorCommand(error), 0);
}

TEST(GPeripheralTest, TheDocumentGroupIsMadeOnceAndForgottenWithTheState) {
    RecordingDevice device;
    GState* group = device.FindAttribute(246);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetId(), 246u);
    EXPECT_EQ(device.GetCurrentState()->FindById(246), group);
    EXPECT_EQ(device.GetCurrentState()->GetCount(), 1u);
    EXPECT_EQ(device.FindAttribute(246), group);
    EXPECT_EQ(device.GetCurrentState()->GetCount(), 1u);
    // Any other id: the current state itself.
    EXPECT_EQ(device.FindAttribute(300), device.GetCurrentState());

    GCountedPtr keep(group);
    auto* replacement = new GState(7);
    replacement->Add(new GState(246)); // a group that is already there is found
    device.SetCurrentState(replacement);
    EXPECT_EQ(replacement->GetId(), 243u);
    GState* found = device.FindAttribute(246);
    EXPECT_NE(found, group);
    EXPECT_EQ(found, replacement->FindById(246));
    EXPECT_EQ(replacement->GetCount(), 1u);
}

TEST(GPeripheralTest, ADisabledDeviceAndTheEmptyAndErrorCommandsAreLeftAlone) {
    RecordingDevice device;
    GCountedPtr start(new GDocumentStart());
    device.Disable();
    EXPECT_EQ(device.Process(start).Get(), start.Get());
    EXPECT_TRUE(device.Log().empty());
    device.Enable();

    auto* noneState = new GState(244);
    noneState->Add(new NotedSetting(5));
    GCountedPtr error(new GErrorCommand(3, nullptr));
    error.As<GCommand>()->SetState(noneState);
    GCountedPtr none(new GNoCommand());
    gApplied.clear();
    EXPECT_EQ(device.Process(error).Get(), error.Get());
    EXPECT_EQ(device.Process(none).Get(), none.Get());
    EXPECT_TRUE(device.Log().empty());
    EXPECT_TRUE(gApplied.empty());
    EXPECT_EQ(device.GetCurrentState()->GetCount(), 0u);
}

TEST(GPeripheralTest, AFailedOperationTurnsTheCommandIntoAnErrorCommand) {
    RecordingDevice device;
    device.statuses["OnDocumentStart"] = 0x259;
    GCountedPtr start(new GDocumentStart(u"doc", u"dest", nullptr, 0));
    GCountedPtr answer = device.Process(start);
    auto* error = answer.As<GErrorCommand>();
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->GetErrorCode(), 0x259);
    EXPECT_EQ(error->GetObject(), start.Get());

    // Succeeding, the command itself comes back.
    device.statuses.clear();
    EXPECT_EQ(device.Process(start).Get(), start.Get());
}

TEST(GPeripheralTest, ACommandsStateIsTakenAndItsChangedSettingsApplied) {
    RecordingDevice device;
    auto* state = new GState(256);
    auto* applied = new NotedSetting(11);
    auto* unchanged = new NotedSetting(12);
    unchanged->SetChanged(0);
    state->Add(applied);
    state->Add(unchanged);
    GCountedPtr start(new GPageStart(state, 0));
    gApplied.clear();

    device.Process(start);

    // Merged into the device's page group, every taken setting counts as
    // changed and is applied, in order, before the operation runs.
    EXPECT_EQ(gApplied, (std::vector<std::string>{"setting 11", "setting 12"}));
    EXPECT_EQ(device.Operations(), std::vector<std::string>{"OnPageStart"});
    // The page group of the device now holds the settings.
    EXPECT_NE(device.FindAttribute(256)->FindById(11), nullptr);
    EXPECT_EQ(device.IsInPage(), 1);
}

TEST(GPeripheralTest, AChangedTransformGoesFirstAndSendsTheWholeBundleAgain) {
    RecordingDevice device;
    GState* bundle = device.FindAttribute(244);
    auto* setting = new NotedSetting(20);
    setting->SetChanged(0);
    auto* transform = new NotedTransform();
    bundle->Add(setting);
    bundle->Add(transform);
    gApplied.clear();

    device.ApplyChangedAttributes(244);

    EXPECT_EQ(gApplied, (std::vector<std::string>{"transform", "setting 20"}));
    EXPECT_EQ(transform->GetChanged(), 0u);
    // Once sent, an unchanged transform is not sent again.
    gApplied.clear();
    setting->SetChanged(0);
    device.ApplyChangedAttributes(244);
    EXPECT_TRUE(gApplied.empty());
}

TEST(GPeripheralTest, ApplyHandsEveryCurrentSettingToTheGivenDevice) {
    RecordingDevice source;
    auto* unchanged = new NotedSetting(1);
    unchanged->SetChanged(0);
    source.GetCurrentState()->Add(unchanged);
    source.GetCurrentState()->Add(new NotedSetting(2));
    RecordingDevice target;
    gApplied.clear();
    EXPECT_EQ(source.Apply(target), 0);
    EXPECT_EQ(gApplied, (std::vector<std::string>{"setting 1", "setting 2"}));
    EXPECT_EQ(source.GetChanged(), 0u);
}

TEST(GPeripheralTest, ResetRestoresACopyOfTheDefaultsAndTellsEachListenerOnce) {
    RecordingDevice device;
    device.GetDefaultState()->Add(new GValueAttribute(4, 300));
    Listener first;
    Listener second;
    device.AddListener(&first);
    device.AddListener(&second);
    device.RemoveListener(&first);
    device.RemoveListener(&first); // not there: nothing happens
    device.AddListener(&first);
    EXPECT_EQ(device.GetListenerCount(), 2u);
    EXPECT_EQ(device.GetListener(0), &second);

    device.GetCurrentState()->Add(new GValueAttribute(9, 301));
    device.Disable();
    auto channel = std::make_shared<MemoryChannel>();
    device.SetChannel(channel, 1);
    device.Reset();

    EXPECT_EQ(device.IsEnabled(), 1u);
    GState* current = device.GetCurrentState();
    EXPECT_NE(current, device.GetDefaultState());
    EXPECT_TRUE(current->IsEqualId(device.GetDefaultState()));
    EXPECT_EQ(current->FindById(301), nullptr);
    EXPECT_NE(current->FindById(300), device.GetDefaultState()->FindById(300)); // a deep copy
    EXPECT_EQ(first.notices, 1);
    EXPECT_EQ(second.notices, 1);
    EXPECT_EQ(first.lastSource, &device);
    EXPECT_EQ(device.GetChannel(), nullptr);
    EXPECT_TRUE(channel->events.empty()); // given up, never closed by Reset
}

TEST(GPeripheralTest, TheStateWordFollowsTheJobAndAnAbortAbortsAnOwnedChannel) {
    RecordingDevice device;
    struct Step {
        GCommand* command;
        uint32_t word;
    };
    const Step steps[] = {
        {new GDocumentStart(), GPeripheral::kInDocument}, {new GPageStart(), GPeripheral::kInPage},
        {new GPageEnd(), GPeripheral::kInDocument},       {new GPageStart(), GPeripheral::kInPage},
        {new GDocumentEnd(), GPeripheral::kIdle},
    };
    for (const Step& step : steps) {
        device.Process(GCountedPtr(step.command));
        EXPECT_EQ(device.GetStateWord(), step.word);
    }
    GPeripheral plain;
    auto channel = std::make_shared<MemoryChannel>();
    channel->abortStatus = 77;
    GJobAbort abort;
    plain.SetChannel(channel, 0);
    EXPECT_EQ(plain.OnJobAbort(abort), 0); // not its own channel
    plain.SetChannel(channel, 1);
    plain.SetInPage();
    EXPECT_EQ(plain.OnJobAbort(abort), 77);
    EXPECT_EQ(plain.GetStateWord(), GPeripheral::kIdle);
    EXPECT_EQ(channel->events, std::vector<std::string>{"Abort"});
}

TEST(GPeripheralTest, TakenStatesAndChildrenBelongToTheCaller) {
    RecordingDevice device;
    GState* state = device.GetDefaultState();
    std::unique_ptr<GState> taken = device.TakeDefaultState();
    EXPECT_EQ(taken.get(), state); // the device held the only reference
    EXPECT_NE(device.GetDefaultState(), nullptr);
    EXPECT_NE(device.GetDefaultState(), state);

    GCountedPtr shared(device.GetCurrentState());
    std::unique_ptr<GState> copy = device.TakeCurrentState();
    EXPECT_NE(copy.get(), shared.Get()); // shared: a copy

    Listener listener;
    device.AddListener(&listener);
    std::unique_ptr<MPersistentComposite> children = device.TakeChildren();
    EXPECT_EQ(children->GetId(), 198u);
    EXPECT_EQ(listener.notices, 1);
}
