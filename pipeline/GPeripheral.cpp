#include "pipeline/GPeripheral.h"

#include <utility>

#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/MPersistentComposite.h"
#include "model/MPersistentIterator.h"
#include "pipeline/GCommand.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GNoCommand.h"
#include "pipeline/GOutputChannel.h"
#include "rw/RWReadTable.h"
#include "rw/RWSlistCollectables.h"

namespace {

// Both absent, or both present and not different.
bool SameOrEqual(const GCountedPtr& a, const GCountedPtr& b) {
    if (!a || !b) return !a && !b;
    return a->IsEqualId(b.Get());
}

GState* StampedState(GState* state) {
    if (state == nullptr) state = new GState();
    state->SetId(GSettingId::kPeripheralState);
    return state;
}

} // namespace

GPeripheral::GPeripheral()
    : listeners_(std::make_unique<RWSlistCollectables>()),
      currentState_(new GState(GSettingId::kPeripheralState)),
      defaultState_(new GState(GSettingId::kPeripheralState)),
      children_(new MPersistentComposite(GSettingId::kPeripheralConfiguration)) {}

GPeripheral::GPeripheral(uint32_t id)
    : GAttribute(id), listeners_(std::make_unique<RWSlistCollectables>()),
      currentState_(new GState(GSettingId::kPeripheralState)),
      defaultState_(new GState(GSettingId::kPeripheralState)),
      children_(new MPersistentComposite(GSettingId::kPeripheralConfiguration)) {}

GPeripheral::GPeripheral(const RWWString& name, GState* defaultState, MPersistentComposite* children,
                         uint32_t id, uint32_t addOnListId, uint32_t pdlKind, uint32_t addOnMode)
    : GAttribute(id), name_(name), listeners_(std::make_unique<RWSlistCollectables>()),
      addOnListId_(addOnListId), pdlKind_(pdlKind), addOnMode_(addOnMode) {
    GPeripheral::SetChildren(
        children != nullptr ? children : new MPersistentComposite(GSettingId::kPeripheralConfiguration));
    defaultState_.Reset(StampedState(defaultState));
    currentState_.Reset(new GState(GSettingId::kPeripheralState));
    GPeripheral::Reset();
}

GPeripheral::GPeripheral(const GPeripheral& other)
    : GAttribute(other), listeners_(std::make_unique<RWSlistCollectables>()) {
    CopyFrom(other);
}

GPeripheral& GPeripheral::operator=(const GPeripheral& other) {
    if (this == &other || !IsNotEqualId(&other)) return *this;
    GAttribute::operator=(other);
    CopyFrom(other);
    return *this;
}

void GPeripheral::CopyFrom(const GPeripheral& other) {
    name_ = other.name_;
    currentState_ = other.currentState_;
    defaultState_ = other.defaultState_;
    children_ = other.children_;
    listeners_->Clear();
    other.listeners_->ForEach([this](RWCollectable* listener) {
        listeners_->Append(listener);
        return true;
    });
    addOnListId_ = other.addOnListId_;
    pdlKind_ = other.pdlKind_;
    addOnMode_ = other.addOnMode_;
    enabled_ = other.enabled_;
    stateWord_ = kIdle;
    ClearCaches();
    SetChannel(nullptr, 0);
}

// The channel goes with its last holder; an owned one is only given up here,
// never closed: the device closes or aborts it at document end or abort.
GPeripheral::~GPeripheral() = default;

// --- Persistence ---------------------------------------------------------------

uint32_t GPeripheral::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + RWObjectStoreSize(defaultState_.Get()) +
           RWObjectStoreSize(currentState_.Get()) + RWObjectStoreSize(children_.Get()) +
           RWObjectStoreSize(listeners_.get()) + 4 + 2 * static_cast<uint32_t>(name_.Length()) + 12;
}

template <class Carrier> void GPeripheral::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveObject(carrier, defaultState_.Get());
    RWSaveObject(carrier, currentState_.Get());
    RWSaveObject(carrier, children_.Get());
    RWSaveObject(carrier, listeners_.get());
    RWSaveString(carrier, name_);
    RWSaveU32(carrier, addOnListId_);
    RWSaveU32(carrier, pdlKind_);
    RWSaveU32(carrier, addOnMode_);
}

// The listener list. Listeners are not owned, so each must be a device the
// graph met before (one first met here would belong to nobody); anything else
// fails the restore, and the list then forgets what it read.
template <class Carrier> bool GPeripheral::RestoreListeners(Carrier& carrier) {
    const RWReadTable* table = RWReadTable::Current();
    const uint32_t entriesBefore = table != nullptr ? table->Entries() : 0;
    RWCollectable* object = nullptr;
    RWRestoreObject(carrier, object, RWRestoreHold::Owned,
                    [](const RWCollectable* o) { return o->IsA() == __RWSLISTCOLLECTABLES; });
    std::unique_ptr<RWSlistCollectables> list(static_cast<RWSlistCollectables*>(object));
    if (list == nullptr) {
        GMarkRestoreFailed(carrier);
        return false;
    }
    // The list itself is the one new entry a list of known devices adds.
    // Without a graph around this restore every member is new.
    bool good = table != nullptr ? table->Entries() <= entriesBefore + 1 : list->IsEmpty();
    list->ForEach([&good](RWCollectable* member) {
        good = good && dynamic_cast<GPeripheral*>(member) != nullptr;
        return good;
    });
    if (!good) {
        // Within a graph its restore frees what it made; alone, the members
        // were made for this list only.
        if (table != nullptr) {
            list->Clear();
        } else {
            list->ClearAndDestroy();
        }
        GMarkRestoreFailed(carrier);
    }
    // Kept even when refused: objects of a graph live until its restore ends.
    listeners_ = std::move(list);
    return good;
}

template <class Carrier> void GPeripheral::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) return;
    GCountedPtr defaultState = GRestorePtr<GState>(carrier);
    GCountedPtr currentState = GRestorePtr<GState>(carrier);
    GCountedPtr children = GRestorePtr<MPersistentComposite>(carrier);
    // A device never goes without its states and children: missing ones
    // refuse the graph and the old ones stay.
    if (!defaultState || !currentState || !children) {
        GMarkRestoreFailed(carrier);
        return;
    }
    defaultState_ = defaultState;
    currentState_ = currentState;
    children_ = children;
    ClearCaches();
    if (!RestoreListeners(carrier)) return;
    RWWString name;
    uint32_t addOnListId = 0;
    uint32_t pdlKind = 0;
    uint32_t addOnMode = 0;
    if (!RWRestoreString(carrier, name) || !RWRestoreU32(carrier, addOnListId) ||
        !RWRestoreU32(carrier, pdlKind) || !RWRestoreU32(carrier, addOnMode))
        return;
    name_ = name;
    addOnListId_ = addOnListId;
    pdlKind_ = pdlKind;
    addOnMode_ = addOnMode;
}

RW_DEFINE_GUTS(GPeripheral)

bool GPeripheral::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    const auto* device = dynamic_cast<const GPeripheral*>(other);
    if (device == nullptr || device->IsA() != IsA() || !MPersistentObject::IsEqualId(other)) return false;
    if (!(name_ == device->name_) || stateWord_ != device->stateWord_ ||
        addOnListId_ != device->addOnListId_ || pdlKind_ != device->pdlKind_ ||
        addOnMode_ != device->addOnMode_ || enabled_ != device->enabled_)
        return false;
    if (GetListenerCount() != device->GetListenerCount()) return false;
    for (uint32_t i = 0; i < GetListenerCount(); ++i)
        if (GetListener(i) != device->GetListener(i)) return false;
    return SameOrEqual(defaultState_, device->defaultState_) &&
           SameOrEqual(currentState_, device->currentState_) && SameOrEqual(children_, device->children_);
}

std::unique_ptr<MPersistentObject> GPeripheral::Clone() const {
    std::unique_ptr<RWCollectable> made(Copy());
    auto* copy = dynamic_cast<GPeripheral*>(made.get());
    if (copy == nullptr) return nullptr;
    made.release();
    std::unique_ptr<MPersistentObject> result(copy);
    copy->currentState_ = GCountedPtr(currentState_->Clone());
    copy->defaultState_ = GCountedPtr(defaultState_->Clone());
    copy->children_ = GCountedPtr(children_->Clone());
    copy->ClearCaches();
    // A deep copy belongs to no one yet: it must not tell this device's
    // listeners, which never learn of it and may go before it.
    copy->listeners_->Clear();
    return result;
}

// --- Playing commands ----------------------------------------------------------

uint16_t GPeripheral::Apply(GPeripheral& device) {
    uint16_t last = 0;
    const GCountedPtrVector attributes = currentState_.As<GState>()->GetChildren();
    for (uint32_t i = 0; i < attributes.Count(); ++i) {
        auto* attribute = attributes.At(i).As<GAttribute>();
        if (attribute == nullptr) continue;
        const uint16_t status = attribute->Apply(device);
        if (status != 0) last = status;
    }
    SetChanged(0);
    return last;
}

GCountedPtr GPeripheral::Process(const GCountedPtr& command) {
    auto* played = command.As<GCommand>();
    if (played == nullptr || !enabled_) return command;
    const GCountedPtr held(command);
    played->SetChanged(0);
    if (played->AsComposite() != nullptr) return HandleComposite(held);
    if (played->IsA() == GNoCommand::kClassId || played->IsA() == GErrorCommand::kClassId) return held;
    if (GState* state = played->GetState()) {
        const GCountedPtr keep(state);
        AddAttribute(state);
        ApplyChangedAttributes(state->GetId());
    }
    return HandleCommand(held);
}

GCountedPtr GPeripheral::HandleCommand(const GCountedPtr& command) {
    auto* played = command.As<GCommand>();
    if (played == nullptr) return command;
    const uint16_t status = played->Accept(*this);
    if (status == 0) return command;
    return GCountedPtr(new GErrorCommand(status, command.Get()));
}

GCountedPtr GPeripheral::HandleComposite(const GCountedPtr& command) {
    auto* list = command.As<GCommand>();
    if (list == nullptr || list->AsComposite() == nullptr) return command;
    const GCountedPtr held(command);
    std::unique_ptr<MPersistentIterator> children = list->CreateIterator();
    while (enabled_ && children != nullptr && children->Advance()) {
        const GCountedPtr child(children->Current());
        if (!child) continue;
        const GCountedPtr result = Process(child);
        auto* answer = result.As<GCommand>();
        if (answer == nullptr) continue;
        if (answer->IsA() == GErrorCommand::kClassId) break;
        if (result.Get() != child.Get() || answer->IsChanged()) {
            answer->SetChanged(0);
            children->ReplaceCurrent(answer);
            list->SetChanged(1);
        }
    }
    return held;
}

void GPeripheral::AddAttribute(GAttribute* attribute) {
    if (attribute == nullptr) return;
    const GCountedPtr keep(attribute);
    if (GState* group = FindAttribute(attribute->GetId())) {
        group->AssignFrom(attribute);
    } else {
        currentState_->Add(attribute);
    }
}

void GPeripheral::ApplyChangedAttributes(uint32_t id) {
    GState* group = FindAttribute(id);
    if (group == nullptr) return;
    const GCountedPtr keep(group);
    if (id == GSettingId::kGraphicBundleGroup) {
        const GCountedPtrVector& members = group->GetChildren();
        for (uint32_t i = 0; i < members.Count(); ++i) {
            auto* transform = members.At(i).As<GAttribute>();
            if (transform == nullptr || transform->IsA() != kTransformClassId) continue;
            if (transform->IsChanged()) {
                const GCountedPtr held(transform);
                transform->Apply(*this);
                group->MarkAllChanged();
                transform->SetChanged(0);
            }
            break;
        }
    }
    // A copy of the list: applying may change the group.
    const GCountedPtrVector attributes = group->GetChildren();
    for (uint32_t i = 0; i < attributes.Count(); ++i) {
        auto* attribute = attributes.At(i).As<GAttribute>();
        if (attribute != nullptr && attribute->IsChanged()) attribute->Apply(*this);
    }
}

// --- States and children ---------------------------------------------------------

void GPeripheral::SetDefaultState(GState* state) {
    if (state == nullptr) return;
    defaultState_.Reset(StampedState(state));
}

void GPeripheral::SetCurrentState(GState* state) {
    if (state == nullptr) return;
    currentState_.Reset(StampedState(state));
    ClearCaches();
}

void GPeripheral::SetChildren(MPersistentComposite* children) {
    if (children == nullptr) return;
    children_.Reset(children);
    NotifyListeners(this);
}

namespace {

template <class T> std::unique_ptr<T> TakeAs(GCountedPtr& slot, MPersistentObject* replacement) {
    GCountedPtr old = std::move(slot);
    slot.Reset(replacement);
    std::unique_ptr<MPersistentObject> taken = old.Detach();
    if (dynamic_cast<T*>(taken.get()) == nullptr) return nullptr;
    return std::unique_ptr<T>(static_cast<T*>(taken.release()));
}

} // namespace

std::unique_ptr<GState> GPeripheral::TakeDefaultState() {
    return TakeAs<GState>(defaultState_, new GState(GSettingId::kPeripheralState));
}

std::unique_ptr<GState> GPeripheral::TakeCurrentState() {
    std::unique_ptr<GState> taken = TakeAs<GState>(currentState_, new GState(GSettingId::kPeripheralState));
    ClearCaches();
    return taken;
}

std::unique_ptr<MPersistentComposite> GPeripheral::TakeChildren() {
    std::unique_ptr<MPersistentComposite> taken = TakeAs<MPersistentComposite>(
        children_, new MPersistentComposite(GSettingId::kPeripheralConfiguration));
    NotifyListeners(this);
    return taken;
}

void GPeripheral::Reset() {
    enabled_ = 1;
    currentState_ = GCountedPtr(defaultState_->Clone());
    ClearCaches();
    NotifyListeners(this);
    SetChannel(nullptr, 0);
}

void GPeripheral::SetName(const RWWString& name) {
    name_ = name;
}

void GPeripheral::GetName(RWWString& name) const {
    name = name_;
}

GState* GPeripheral::GetCurrentState() const {
    return currentState_.As<GState>();
}

GState* GPeripheral::GetDefaultState() const {
    return defaultState_.As<GState>();
}

MPersistentComposite* GPeripheral::GetChildren() const {
    return children_.As<MPersistentComposite>();
}

GCountedPtr& GPeripheral::CacheFor(uint32_t id) {
    if (id == GSettingId::kGraphicBundleGroup) return bundleGroup_;
    if (id == GSettingId::kPageStateGroup) return pageGroup_;
    return documentGroup_;
}

GState* GPeripheral::FindAttribute(uint32_t id) {
    auto* current = currentState_.As<GState>();
    if (id != GSettingId::kGraphicBundleGroup && id != GSettingId::kPageStateGroup &&
        id != GSettingId::kPrintingStateGroup)
        return current;
    GCountedPtr& cache = CacheFor(id);
    if (!cache) {
        auto* group = dynamic_cast<GState*>(current->FindById(id));
        if (group != nullptr) {
            cache.Reset(group);
        } else {
            cache.Reset(new GState(id));
            current->Add(cache.Get());
        }
    }
    return cache.As<GState>();
}

void GPeripheral::ClearCaches() {
    bundleGroup_.Reset();
    pageGroup_.Reset();
    documentGroup_.Reset();
}

// --- Listeners -------------------------------------------------------------------

void GPeripheral::AddListener(GPeripheral* listener) {
    if (listener != nullptr) listeners_->Append(listener);
}

void GPeripheral::RemoveListener(GPeripheral* listener) {
    listeners_->RemoveReference(listener);
}

uint32_t GPeripheral::GetListenerCount() const {
    return static_cast<uint32_t>(listeners_->Entries());
}

GPeripheral* GPeripheral::GetListener(uint32_t index) const {
    return index < GetListenerCount() ? static_cast<GPeripheral*>(listeners_->At(index)) : nullptr;
}

std::unique_ptr<GPeripheral* []> GPeripheral::ListenersSnapshot(uint32_t& count) const {
    count = GetListenerCount();
    auto snapshot = std::make_unique<GPeripheral*[]>(count);
    uint32_t i = 0;
    listeners_->ForEach([&](RWCollectable* listener) {
        snapshot[i++] = static_cast<GPeripheral*>(listener);
        return true;
    });
    return snapshot;
}

void GPeripheral::NotifyListeners(GPeripheral*) {
    uint32_t count = 0;
    const std::unique_ptr<GPeripheral*[]> listeners = ListenersSnapshot(count);
    for (uint32_t i = 0; i < count; ++i)
        listeners[i]->NotifyListeners(this);
}

// --- State word and queries --------------------------------------------------------

void GPeripheral::SetInDocument() {
    stateWord_ = kInDocument;
}

void GPeripheral::SetInPage() {
    stateWord_ = kInPage;
}

void GPeripheral::SetIdle() {
    stateWord_ = kIdle;
}

int GPeripheral::IsInDocument() const {
    return stateWord_ == kInDocument ? 1 : 0;
}

int GPeripheral::IsInPage() const {
    return stateWord_ == kInPage ? 1 : 0;
}

int GPeripheral::IsReady() const {
    return 1;
}

GScalePair GPeripheral::GetDefaultScale(MPersistentObject*, MPersistentObject*, uint32_t, uint32_t*) {
    return GScalePair{};
}

uint32_t GPeripheral::GetFilterFlags() const {
    return 0;
}

void GPeripheral::SetChannel(std::shared_ptr<GOutputChannel> channel, uint32_t owned) {
    channel_ = std::move(channel);
    ownsChannel_ = channel_ != nullptr && owned != 0 ? 1 : 0;
}

void GPeripheral::RebuildAddOns() {}

void GPeripheral::RemoveAddOns() {}

// --- Device operations: each goes to its category; the base's categories succeed ---

uint16_t GPeripheral::OnGraphic(const GDeviceOperand&) {
    return 0;
}

uint16_t GPeripheral::OnCommandOperation(const GDeviceOperand&) {
    return 0;
}

uint16_t GPeripheral::OnRenderState(const GDeviceOperand&) {
    return 0;
}

uint16_t GPeripheral::OnStageOffer(const GDeviceOperand&) {
    return 0;
}

uint16_t GPeripheral::OnPathGraphic(GPathGraphic& graphic) {
    return OnGraphic(GDeviceOperand::Of<&GPeripheral::OnPathGraphic>(graphic));
}

uint16_t GPeripheral::OnPolyBezierGraphic(GPolyBezierGraphic& graphic) {
    return OnGraphic(GDeviceOperand::Of<&GPeripheral::OnPolyBezierGraphic>(graphic));
}

uint16_t GPeripheral::OnPolygonGraphic(GPolygonGraphic& graphic) {
    return OnGraphic(GDeviceOperand::Of<&GPeripheral::OnPolygonGraphic>(graphic));
}

uint16_t GPeripheral::OnRectangleGraphic(GRectangleGraphic& graphic) {
    return OnGraphic(GDeviceOperand::Of<&GPeripheral::OnRectangleGraphic>(graphic));
}

uint16_t GPeripheral::OnRasterGraphic(GRasterGraphic& graphic) {
    return OnGraphic(GDeviceOperand::Of<&GPeripheral::OnRasterGraphic>(graphic));
}

uint16_t GPeripheral::OnTextStringGraphic(GTextStringGraphic& graphic) {
    return OnGraphic(GDeviceOperand::Of<&GPeripheral::OnTextStringGraphic>(graphic));
}

uint16_t GPeripheral::OnDownloadFace(GDownloadFace& command) {
    return OnCommandOperation(GDeviceOperand::Of<&GPeripheral::OnDownloadFace>(command));
}

uint16_t GPeripheral::OnDocumentStart(GDocumentStart& command) {
    SetInDocument();
    return OnCommandOperation(GDeviceOperand::Of<&GPeripheral::OnDocumentStart>(command));
}

uint16_t GPeripheral::OnDocumentEnd(GDocumentEnd& command) {
    SetIdle();
    return OnCommandOperation(GDeviceOperand::Of<&GPeripheral::OnDocumentEnd>(command));
}

uint16_t GPeripheral::OnFlush(GCommand& command) {
    return OnCommandOperation(GDeviceOperand::Of<&GPeripheral::OnFlush>(command));
}

uint16_t GPeripheral::OnPageStart(GPageStart& command) {
    SetInPage();
    return OnCommandOperation(GDeviceOperand::Of<&GPeripheral::OnPageStart>(command));
}

uint16_t GPeripheral::OnPageEnd(GPageEnd& command) {
    SetInDocument();
    return OnCommandOperation(GDeviceOperand::Of<&GPeripheral::OnPageEnd>(command));
}

uint16_t GPeripheral::OnJobAbort(GJobAbort& command) {
    SetIdle();
    const uint16_t aborted = ownsChannel_ != 0 && channel_ != nullptr ? channel_->Abort() : 0;
    const uint16_t status = OnCommandOperation(GDeviceOperand::Of<&GPeripheral::OnJobAbort>(command));
    return aborted != 0 ? aborted : status;
}

uint16_t GPeripheral::OnErrorCommand(GErrorCommand& command) {
    return OnCommandOperation(GDeviceOperand::Of<&GPeripheral::OnErrorCommand>(command));
}

uint16_t GPeripheral::OnPassThroughCommand(GPassThroughCommand& command) {
    return OnCommandOperation(GDeviceOperand::Of<&GPeripheral::OnPassThroughCommand>(command));
}

uint16_t GPeripheral::OnDownloadHeaderCommand(GDownloadHeaderCommand& command) {
    return OnCommandOperation(GDeviceOperand::Of<&GPeripheral::OnDownloadHeaderCommand>(command));
}

uint16_t GPeripheral::OnBrush(GBrush& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnBrush>(attribute));
}

uint16_t GPeripheral::OnCap(GCap& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnCap>(attribute));
}

uint16_t GPeripheral::OnClipToPage(GClipToPage& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnClipToPage>(attribute));
}

uint16_t GPeripheral::OnClipToPath(GClipToPath& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnClipToPath>(attribute));
}

uint16_t GPeripheral::OnClipToRectangle(GClipToRectangle& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnClipToRectangle>(attribute));
}

uint16_t GPeripheral::OnClipToSingleRectangle(GClipToSingleRectangle& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnClipToSingleRectangle>(attribute));
}

uint16_t GPeripheral::OnColorMap(GColorMap& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnColorMap>(attribute));
}

uint16_t GPeripheral::OnDashedPen(GDashedPen& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnDashedPen>(attribute));
}

uint16_t GPeripheral::OnFillMode(GFillMode& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnFillMode>(attribute));
}

uint16_t GPeripheral::OnHalftone(GHalftone& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnHalftone>(attribute));
}

uint16_t GPeripheral::OnHalftoneEnhanced(GHalftoneEnhanced& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnHalftoneEnhanced>(attribute));
}

uint16_t GPeripheral::OnNeutralGrays(GNeutralGrays& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnNeutralGrays>(attribute));
}

uint16_t GPeripheral::OnEdgeControl(GEdgeControl& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnEdgeControl>(attribute));
}

uint16_t GPeripheral::OnSRGBColor(GSRGBColor& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnSRGBColor>(attribute));
}

uint16_t GPeripheral::OnSRGBExtension(GSRGBExtension& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnSRGBExtension>(attribute));
}

uint16_t GPeripheral::OnJoint(GJoint& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnJoint>(attribute));
}

uint16_t GPeripheral::OnMiterJoint(GMiterJoint& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnMiterJoint>(attribute));
}

uint16_t GPeripheral::OnNoBrush(GNoBrush& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnNoBrush>(attribute));
}

uint16_t GPeripheral::OnNoPen(GNoPen& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnNoPen>(attribute));
}

uint16_t GPeripheral::OnPen(GPen& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnPen>(attribute));
}

uint16_t GPeripheral::OnRasterOperation(GRasterOperation& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnRasterOperation>(attribute));
}

uint16_t GPeripheral::OnValueAttribute(GValueAttribute& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnValueAttribute>(attribute));
}

uint16_t GPeripheral::OnStringAttribute(GStringAttribute& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnStringAttribute>(attribute));
}

uint16_t GPeripheral::OnEnumAttribute(GEnumAttribute& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnEnumAttribute>(attribute));
}

uint16_t GPeripheral::OnRangeAttribute(GRangeAttribute& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnRangeAttribute>(attribute));
}

uint16_t GPeripheral::TakePclXlWriter(GCheetah& writer) {
    return OnStageOffer(GDeviceOperand::Of<&GPeripheral::TakePclXlWriter>(writer));
}

uint16_t GPeripheral::TakePcl5Writer(GPcl5e& writer) {
    return OnStageOffer(GDeviceOperand::Of<&GPeripheral::TakePcl5Writer>(writer));
}

uint16_t GPeripheral::TakePostScriptWriter(GPostScript& writer) {
    return OnStageOffer(GDeviceOperand::Of<&GPeripheral::TakePostScriptWriter>(writer));
}

uint16_t GPeripheral::TakePjlStage(GPJL& stage) {
    return OnStageOffer(GDeviceOperand::Of<&GPeripheral::TakePjlStage>(stage));
}

uint16_t GPeripheral::OnMedia(GMedia& media) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnMedia>(media));
}

uint16_t GPeripheral::OnTray(GTray& tray) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnTray>(tray));
}

uint16_t GPeripheral::OnTransformAttribute(GTransformAttribute& attribute) {
    return OnRenderState(GDeviceOperand::Of<&GPeripheral::OnTransformAttribute>(attribute));
}
