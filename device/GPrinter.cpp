#include "device/GPrinter.h"

#include <memory>

#include "driver/GChannelProvider.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GJobAbort.h"
#include "job/GPageEnd.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GStringConversion.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GOutputChannel.h"

GPrinter::GPrinter() {
    NotifyListeners(this);
}

GPrinter::GPrinter(const RWWString& name, GState* defaultState, MPersistentComposite* children, uint32_t id)
    : GPeripheralComposite(name, defaultState, children, id, 0, kPdlNone, kAddOnNever) {
    NotifyListeners(this);
}

GPrinter::GPrinter(const GPrinter& other) : GPeripheralComposite(other), mode_(other.mode_) {
    NotifyListeners(this);
}

GPrinter& GPrinter::operator=(const GPrinter& other) {
    if (this == &other || !IsNotEqualId(&other)) return *this;
    GPeripheralComposite::operator=(other);
    mode_ = other.mode_;
    NotifyListeners(this);
    return *this;
}

GPrinter::~GPrinter() = default;

// --- Persistence ---------------------------------------------------------------

uint32_t GPrinter::BinaryStoreSize() const {
    return GPeripheralComposite::BinaryStoreSize() + 8;
}

template <class Carrier> void GPrinter::SaveGutsTo(Carrier& carrier) const {
    GPeripheralComposite::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveU32(carrier, mode_);
}

template <class Carrier> void GPrinter::RestoreGutsFrom(Carrier& carrier) {
    GPeripheralComposite::RestoreGuts(carrier);
    if (GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        uint32_t mode = 0;
        if (RWRestoreU32(carrier, mode)) mode_ = mode;
    }
    FindStages();
}

RW_DEFINE_GUTS(GPrinter)

bool GPrinter::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    return GPeripheral::IsEqualId(other) && static_cast<const GPrinter*>(other)->mode_ == mode_;
}

// --- Children and states ---------------------------------------------------------------

void GPrinter::Add(MPersistentObject* object) {
    auto* child = dynamic_cast<GPeripheral*>(object);
    if (child == nullptr || child == this || !child->IsKindOf(kWriterKind)) {
        GPeripheralComposite::Add(object);
        return;
    }
    const GCountedPtr held(child);
    RWWString name;
    child->GetName(name);
    RWCString language;
    ConvertWideToNarrow(name, language);
    child->GetCurrentState()->Add(new GStringAttribute(language, GSettingId::kEnterLanguage));
    GPeripheralComposite::Add(child);
}

void GPrinter::OnChildRemoved(GPeripheral& child) {
    if (child.IsKindOf(kWriterKind)) child.GetCurrentState()->RemoveById(GSettingId::kEnterLanguage);
}

void GPrinter::FindStages() {
    jobControl_.Reset();
    writer_.Reset();
    for (GPeripheral* child : GetAllChildren()) {
        if (!jobControl_ && child->GetId() == GSettingId::kJobControlStage) jobControl_.Reset(child);
        if (!writer_ && child->GetId() == GSettingId::kWriterStage) writer_.Reset(child);
    }
}

// One current and one default state for the whole chain: the printer's own,
// then each child's, merged; every child is given them.
void GPrinter::ShareStates() {
    const GCountedPtr current(new GState(GSettingId::kPeripheralState));
    const GCountedPtr defaults(new GState(GSettingId::kPeripheralState));
    auto* mergedCurrent = current.As<GState>();
    auto* mergedDefaults = defaults.As<GState>();
    mergedCurrent->AssignFrom(GetOwnCurrentState());
    mergedDefaults->AssignFrom(GetOwnDefaultState());
    const std::vector<GPeripheral*> children = GetAllChildren();
    for (GPeripheral* child : children) {
        mergedDefaults->AssignFrom(child->GetDefaultState());
        mergedCurrent->AssignFrom(child->GetCurrentState());
    }
    GPeripheral::SetCurrentState(mergedCurrent);
    GPeripheral::SetDefaultState(mergedDefaults);
    for (GPeripheral* child : children) {
        child->SetDefaultState(mergedDefaults);
        child->SetCurrentState(mergedCurrent);
    }
}

void GPrinter::NotifyListeners(GPeripheral* source) {
    RebuildChildrenComposite();
    FindStages();
    ShareStates();
    GPeripheral::NotifyListeners(source);
}

uint16_t GPrinter::ReplaceStage(const GPeripheral& stage, uint32_t id) {
    std::unique_ptr<RWCollectable> made(stage.Copy());
    auto* copy = dynamic_cast<GPeripheral*>(made.get());
    if (copy == nullptr) return 0;
    made.release();
    const GCountedPtr held(copy);
    GetCurrentState()->RemoveById(id);
    RemoveById(id);
    ClearCaches();
    Add(copy);
    NotifyListeners(this);
    return 0;
}

uint16_t GPrinter::ReplaceWriter(const GPeripheral& writer) {
    return ReplaceStage(writer, GSettingId::kWriterStage);
}

uint16_t GPrinter::ReplaceJobControlStage(const GPeripheral& stage) {
    return ReplaceStage(stage, GSettingId::kJobControlStage);
}

// --- Playing ---------------------------------------------------------------------

GCountedPtr GPrinter::Process(const GCountedPtr& command) {
    return GPeripheral::Process(command);
}

GCountedPtr GPrinter::Wrap(uint16_t status, const GCountedPtr& command) const {
    return status == 0 ? command : GCountedPtr(new GErrorCommand(status, command.Get()));
}

GCountedPtr GPrinter::PassToStage(GPeripheral* stage, uint32_t id, const GCountedPtr& command,
                                  bool applyFirst) {
    if (stage == nullptr) return command;
    if (applyFirst) stage->ApplyChangedAttributes(id);
    return stage->Process(command);
}

GCountedPtr GPrinter::HandleCommand(const GCountedPtr& command) {
    auto* played = command.As<GCommand>();
    if (played == nullptr) return command;
    GState* state = played->GetState();
    const uint32_t id = state != nullptr ? state->GetId() : 0;
    const bool hasState = state != nullptr;
    // The stages stay alive while they play, whatever they do to the children.
    const GCountedPtr jobControl = jobControl_;
    const GCountedPtr writerHeld = writer_;
    auto* stage = jobControl.As<GPeripheral>();
    auto* writer = writerHeld.As<GPeripheral>();
    GCountedPtr result = command;
    switch (played->IsA()) {
    case GDocumentStart::kClassId:
        if (writer == nullptr) return Wrap(kNoWriter, command);
        if (stage != nullptr) stage->RebuildAddOns();
        writer->RebuildAddOns();
        result = Wrap(OnDocumentStart(static_cast<GDocumentStart&>(*played)), command);
        result = PassToStage(stage, id, result, hasState);
        return PassToStage(writer, id, result, hasState);
    case GDocumentEnd::kClassId:
        result = PassToStage(writer, id, result, hasState);
        result = PassToStage(stage, id, result, hasState);
        result = Wrap(OnDocumentEnd(static_cast<GDocumentEnd&>(*played)), result);
        if (writer != nullptr) writer->RemoveAddOns();
        if (stage != nullptr) stage->RemoveAddOns();
        return result;
    case GPageEnd::kClassId:
        result = PassToStage(writer, id, result, hasState);
        result = PassToStage(stage, id, result, hasState);
        return Wrap(OnPageEnd(static_cast<GPageEnd&>(*played)), result);
    case GJobAbort::kClassId:
        result = PassToStage(writer, id, result, false);
        result = PassToStage(stage, id, result, false);
        result = Wrap(OnJobAbort(static_cast<GJobAbort&>(*played)), result);
        if (writer != nullptr) writer->RemoveAddOns();
        if (stage != nullptr) stage->RemoveAddOns();
        return result;
    default:
        if (writer == nullptr) return Wrap(kNoWriter, command);
        if (hasState) writer->ApplyChangedAttributes(id);
        return Wrap(played->Accept(*writer), command);
    }
}

uint16_t GPrinter::OnDocumentStart(GDocumentStart& command) {
    SetChannel(nullptr, 0);
    if (command.GetChannel() != nullptr) {
        SetChannel(command.GetChannel(), 0);
    } else {
        std::shared_ptr<GOutputChannel> channel =
            GChannelProvider::Open(command.GetJobContext(), command.GetDestination());
        if (channel == nullptr || channel->IsOpen() == 0) return kNoChannel;
        SetChannel(channel, 1);
        command.SetChannel(channel);
    }
    if (OwnsChannel() != 0) {
        const uint16_t status = GetChannel()->Open(command.GetDocumentName());
        if (status != 0) return status;
    }
    SetInDocument();
    return 0;
}

uint16_t GPrinter::OnDocumentEnd(GDocumentEnd&) {
    uint16_t status = 0;
    if (OwnsChannel() != 0) status = GetChannel()->Close();
    // A carried channel is left to whoever opened it.
    SetChannel(nullptr, 0);
    SetIdle();
    return status;
}

uint16_t GPrinter::OnPageEnd(GPageEnd&) {
    return GetChannel() != nullptr ? GetChannel()->EndPage() : 0;
}

uint16_t GPrinter::OnJobAbort(GJobAbort&) {
    SetIdle();
    uint16_t status = 0;
    if (OwnsChannel() != 0) status = GetChannel()->Abort();
    SetChannel(nullptr, 0);
    return status;
}
