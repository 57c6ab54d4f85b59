#include "device/GPeripheralComposite.h"

#include <utility>

#include "device/GPeripheralProxy.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GJobAbort.h"
#include "model/GAttributeComposite.h"
#include "model/GSettingIds.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/MPersistentComposite.h"
#include "model/MPersistentIterator.h"
#include "pipeline/GCommand.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GNoCommand.h"

namespace {

GAttributeComposite* NewChildList() {
    return new GAttributeComposite();
}

bool StopsTheChain(const GCountedPtr& command) {
    const MPersistentObject* answer = command.Get();
    return answer != nullptr &&
           (answer->IsA() == GNoCommand::kClassId || answer->IsA() == GErrorCommand::kClassId);
}

} // namespace

GPeripheralComposite::GPeripheralComposite()
    : ownCurrentState_(new GState(GSettingId::kPeripheralState)),
      ownDefaultState_(new GState(GSettingId::kPeripheralState)),
      ownChildren_(new MPersistentComposite(GSettingId::kPeripheralConfiguration)),
      allChildren_(NewChildList()) {}

GPeripheralComposite::GPeripheralComposite(uint32_t id)
    : GPeripheral(id), ownCurrentState_(new GState(GSettingId::kPeripheralState)),
      ownDefaultState_(new GState(GSettingId::kPeripheralState)),
      ownChildren_(new MPersistentComposite(GSettingId::kPeripheralConfiguration)),
      allChildren_(NewChildList()) {}

GPeripheralComposite::GPeripheralComposite(const RWWString& name, GState* defaultState,
                                           MPersistentComposite* children, uint32_t id, uint32_t addOnListId,
                                           uint32_t pdlKind, uint32_t addOnMode)
    : GPeripheral(name, defaultState, children, id, addOnListId, pdlKind, addOnMode),
      ownCurrentState_(new GState(GSettingId::kPeripheralState)),
      ownDefaultState_(new GState(GSettingId::kPeripheralState)),
      ownChildren_(new MPersistentComposite(GSettingId::kPeripheralConfiguration)),
      allChildren_(NewChildList()) {}

GPeripheralComposite::GPeripheralComposite(const GPeripheralComposite& other)
    : GPeripheral(other), allChildren_(NewChildList()) {
    CopyMembersFrom(other);
}

GPeripheralComposite& GPeripheralComposite::operator=(const GPeripheralComposite& other) {
    if (this == &other || !IsNotEqualId(&other)) return *this;
    GPeripheral::operator=(other);
    CopyMembersFrom(other);
    return *this;
}

void GPeripheralComposite::CopyMembersFrom(const GPeripheralComposite& other) {
    ownCurrentState_ = other.ownCurrentState_;
    ownDefaultState_ = other.ownDefaultState_;
    ownChildren_ = other.ownChildren_;
    GCountedPtr list(NewChildList());
    for (const GCountedPtr& child : other.ChildPointers())
        list->Add(child.Get());
    allChildren_ = list;
    active_ = other.active_;
}

GPeripheralComposite::~GPeripheralComposite() {
    for (const GCountedPtr& child : ChildPointers())
        child.As<GPeripheral>()->RemoveListener(this);
    active_.clear();
}

// --- Persistence ---------------------------------------------------------------

uint32_t GPeripheralComposite::BinaryStoreSize() const {
    return GPeripheral::BinaryStoreSize() + 4 + RWObjectStoreSize(allChildren_.Get()) +
           RWObjectStoreSize(ownCurrentState_.Get()) + RWObjectStoreSize(ownDefaultState_.Get()) +
           RWObjectStoreSize(ownChildren_.Get());
}

template <class Carrier> void GPeripheralComposite::SaveGutsTo(Carrier& carrier) const {
    GPeripheral::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveObject(carrier, allChildren_.Get());
    RWSaveObject(carrier, ownCurrentState_.Get());
    RWSaveObject(carrier, ownDefaultState_.Get());
    RWSaveObject(carrier, ownChildren_.Get());
}

template <class Carrier> void GPeripheralComposite::RestoreGutsFrom(Carrier& carrier) {
    GPeripheral::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) return;
    GCountedPtr children = GRestorePtr<GAttributeComposite>(carrier);
    GCountedPtr ownCurrent = GRestorePtr<GState>(carrier);
    GCountedPtr ownDefault = GRestorePtr<GState>(carrier);
    GCountedPtr ownChildren = GRestorePtr<MPersistentComposite>(carrier);
    if (!children || !ownCurrent || !ownDefault || !ownChildren) {
        GMarkRestoreFailed(carrier);
        return;
    }
    // The walks treat every child as a device: a list with anything else is
    // not ours.
    const GCountedPtrVector& list = children.As<GAttributeComposite>()->GetChildren();
    for (uint32_t i = 0; i < list.Count(); ++i) {
        if (list.At(i).As<GPeripheral>() == nullptr) {
            GMarkRestoreFailed(carrier);
            return;
        }
    }
    for (const GCountedPtr& child : ChildPointers())
        child.As<GPeripheral>()->RemoveListener(this);
    allChildren_ = children;
    ownCurrentState_ = ownCurrent;
    ownDefaultState_ = ownDefault;
    ownChildren_ = ownChildren;
    active_.clear();
}

RW_DEFINE_GUTS(GPeripheralComposite)

bool GPeripheralComposite::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    if (!GPeripheral::IsEqualId(other)) return false;
    const auto* composite = static_cast<const GPeripheralComposite*>(other);
    if (ownCurrentState_.Get() != composite->ownCurrentState_.Get() ||
        ownDefaultState_.Get() != composite->ownDefaultState_.Get() ||
        ownChildren_.Get() != composite->ownChildren_.Get())
        return false;
    if (active_.size() != composite->active_.size()) return false;
    for (size_t i = 0; i < active_.size(); ++i)
        if (active_[i].Get() != composite->active_[i].Get()) return false;
    return allChildren_->IsEqualId(composite->allChildren_.Get());
}

std::unique_ptr<MPersistentObject> GPeripheralComposite::Clone() const {
    std::unique_ptr<MPersistentObject> made = GPeripheral::Clone();
    auto* copy = dynamic_cast<GPeripheralComposite*>(made.get());
    if (copy == nullptr) return nullptr;
    copy->ownCurrentState_ = GCountedPtr(ownCurrentState_->Clone());
    copy->ownDefaultState_ = GCountedPtr(ownDefaultState_->Clone());
    copy->ownChildren_ = GCountedPtr(ownChildren_->Clone());
    copy->Clear();
    copy->active_.clear();
    for (const GCountedPtr& child : ChildPointers())
        copy->Add(GCountedPtr(child->Clone()).Get());
    return made;
}

// --- Children --------------------------------------------------------------------

std::vector<GCountedPtr> GPeripheralComposite::ChildPointers() const {
    std::vector<GCountedPtr> children;
    const GCountedPtrVector& list = allChildren_.As<GAttributeComposite>()->GetChildren();
    children.reserve(list.Count());
    for (uint32_t i = 0; i < list.Count(); ++i)
        children.push_back(list.At(i));
    return children;
}

void GPeripheralComposite::ReplaceChildren(const std::vector<GCountedPtr>& children) {
    auto* list = allChildren_.As<GAttributeComposite>();
    list->RemoveAll();
    for (const GCountedPtr& child : children)
        list->Add(child.Get());
}

std::vector<GPeripheral*> GPeripheralComposite::GetAllChildren() const {
    std::vector<GPeripheral*> children;
    for (const GCountedPtr& child : ChildPointers())
        children.push_back(child.As<GPeripheral>());
    return children;
}

std::vector<GPeripheral*> GPeripheralComposite::GetActiveChildren() const {
    std::vector<GPeripheral*> children;
    for (const GCountedPtr& child : active_)
        children.push_back(child.As<GPeripheral>());
    return children;
}

void GPeripheralComposite::Add(MPersistentObject* object) {
    if (object == this || object == nullptr) return;
    const GCountedPtr held(object);
    auto* child = dynamic_cast<GPeripheral*>(object);
    if (child == nullptr) return;
    allChildren_->Add(child);
    child->AddListener(this);
    NotifyListeners(this);
}

std::unique_ptr<MPersistentObject> GPeripheralComposite::RemoveChildAt(uint32_t index) {
    std::vector<GCountedPtr> children = ChildPointers();
    GCountedPtr child = children[index];
    children.erase(children.begin() + index);
    ReplaceChildren(children);
    std::erase_if(active_, [&child](const GCountedPtr& active) { return active.Get() == child.Get(); });
    auto* device = child.As<GPeripheral>();
    device->RemoveListener(this);
    OnChildRemoved(*device);
    NotifyListeners(this);
    children.clear();
    return child.Detach();
}

template <typename Match> std::unique_ptr<MPersistentObject> GPeripheralComposite::RemoveFirst(Match match) {
    // Looked at in place: a held snapshot would keep the child shared.
    const GCountedPtrVector& children = allChildren_.As<GAttributeComposite>()->GetChildren();
    for (uint32_t i = 0; i < children.Count(); ++i)
        if (match(*children.At(i))) return RemoveChildAt(i);
    return nullptr;
}

std::unique_ptr<MPersistentObject> GPeripheralComposite::Remove(const MPersistentObject* object) {
    return RemoveFirst([object](const MPersistentObject& child) { return &child == object; });
}

std::unique_ptr<MPersistentObject> GPeripheralComposite::RemoveById(uint32_t id) {
    return RemoveFirst([id](const MPersistentObject& child) { return child.GetId() == id; });
}

std::unique_ptr<MPersistentObject> GPeripheralComposite::RemoveByClass(RWClassID classId) {
    return RemoveFirst([classId](const MPersistentObject& child) { return child.IsA() == classId; });
}

void GPeripheralComposite::OnChildRemoved(GPeripheral&) {}

void GPeripheralComposite::Clear() {
    for (const GCountedPtr& child : ChildPointers())
        child.As<GPeripheral>()->RemoveListener(this);
    allChildren_->RemoveAll();
}

MPersistentObject* GPeripheralComposite::FindById(uint32_t id) {
    return allChildren_->FindById(id);
}

MPersistentObject* GPeripheralComposite::FindByClass(RWClassID classId) {
    return allChildren_->FindByClass(classId);
}

MPersistentObject* GPeripheralComposite::FindEqual(const MPersistentObject* object) {
    return allChildren_->FindEqual(object);
}

MPersistentObject* GPeripheralComposite::FindByKind(RWClassID classId) {
    return allChildren_->FindByKind(classId);
}

MPersistentObject* GPeripheralComposite::AsComposite() {
    return allChildren_.Get();
}

uint32_t GPeripheralComposite::GetCount() const {
    return allChildren_->GetCount();
}

uint32_t GPeripheralComposite::GetSubtreeSize() const {
    return allChildren_->GetSubtreeSize();
}

std::unique_ptr<MPersistentIterator> GPeripheralComposite::CreateIterator() {
    return allChildren_->CreateIterator();
}

// --- Playing ---------------------------------------------------------------------

GCountedPtr GPeripheralComposite::Process(const GCountedPtr& command) {
    auto* entering = command.As<GCommand>();
    if (entering == nullptr || !IsEnabled()) return command;
    const RWClassID classId = entering->IsA();
    GCountedPtr current = command;
    if (classId == GDocumentStart::kClassId) {
        RebuildAddOns();
        active_.clear();
        for (const GCountedPtr& child : ChildPointers()) {
            auto* device = child.As<GPeripheral>();
            if (!device->IsEnabled()) continue;
            current = device->Process(current);
            if (device->IsEnabled()) active_.push_back(child);
        }
        return current;
    }
    const std::vector<GCountedPtr> chain = active_;
    for (const GCountedPtr& child : chain) {
        auto* device = child.As<GPeripheral>();
        if (!device->IsEnabled()) continue;
        current = device->Process(current);
        if (StopsTheChain(current)) return current;
    }
    if (classId == GDocumentEnd::kClassId || classId == GJobAbort::kClassId) {
        RemoveAddOns();
        active_.clear();
    }
    return current;
}

// --- States ----------------------------------------------------------------------

void GPeripheralComposite::SetDefaultState(GState* state) {
    if (state == nullptr) return;
    const GCountedPtr held(state);
    GPeripheral::SetDefaultState(state);
    ownDefaultState_.Reset(state);
}

void GPeripheralComposite::SetCurrentState(GState* state) {
    if (state == nullptr) return;
    const GCountedPtr held(state);
    GPeripheral::SetCurrentState(state);
    ownCurrentState_.Reset(state);
}

void GPeripheralComposite::SetChildren(MPersistentComposite* children) {
    if (children == nullptr) return;
    ownChildren_.Reset(children);
    NotifyListeners(this);
}

std::unique_ptr<MPersistentComposite> GPeripheralComposite::TakeChildren() {
    GCountedPtr old = std::exchange(
        ownChildren_, GCountedPtr(new MPersistentComposite(GSettingId::kPeripheralConfiguration)));
    NotifyListeners(this);
    std::unique_ptr<MPersistentObject> taken = old.Detach();
    if (dynamic_cast<MPersistentComposite*>(taken.get()) == nullptr) return nullptr;
    return std::unique_ptr<MPersistentComposite>(static_cast<MPersistentComposite*>(taken.release()));
}

void GPeripheralComposite::Reset() {
    for (const GCountedPtr& child : ChildPointers())
        child.As<GPeripheral>()->Reset();
    GPeripheral::SetDefaultState(ownDefaultState_.As<GState>());
    ownCurrentState_ = GCountedPtr(ownDefaultState_->Clone());
    GPeripheral::Reset();
}

void GPeripheralComposite::RebuildChildrenComposite() {
    MPersistentComposite* children = GetChildren();
    if (children == nullptr) return;
    children->RemoveAll();
    children->Add(ownChildren_.Get());
    for (const GCountedPtr& child : ChildPointers())
        children->Add(child.As<GPeripheral>()->GetChildren());
}

void GPeripheralComposite::NotifyListeners(GPeripheral* source) {
    RebuildChildrenComposite();
    GPeripheral::NotifyListeners(source);
}

// --- Combined queries --------------------------------------------------------------

int GPeripheralComposite::IsReady() const {
    for (const GCountedPtr& child : ChildPointers())
        if (child.As<GPeripheral>()->IsReady() == 0) return 0;
    return 1;
}

GScalePair GPeripheralComposite::GetDefaultScale(MPersistentObject* settings,
                                                 MPersistentObject* paperSettings, uint32_t pageIndex,
                                                 uint32_t* marker) {
    GScalePair scale;
    for (const GCountedPtr& child : ChildPointers()) {
        auto* device = child.As<GPeripheral>();
        if (!device->IsEnabled()) continue;
        const GScalePair factor = device->GetDefaultScale(settings, paperSettings, pageIndex, marker);
        scale.x *= factor.x;
        scale.y *= factor.y;
        if (scale.x == 0.0f && scale.y == 0.0f) break;
    }
    return scale;
}

uint32_t GPeripheralComposite::GetFilterFlags() const {
    uint32_t flags = 0;
    for (const GCountedPtr& child : ChildPointers()) {
        const auto* device = child.As<GPeripheral>();
        if (device->IsEnabled()) flags |= device->GetFilterFlags();
    }
    return flags;
}

// --- Add-ons -----------------------------------------------------------------------

void GPeripheralComposite::RemoveProxies() {
    std::vector<GCountedPtr> kept;
    std::vector<GCountedPtr> proxies;
    for (const GCountedPtr& child : ChildPointers())
        (child->IsA() == GPeripheralProxy::kClassId ? proxies : kept).push_back(child);
    if (proxies.empty()) return;
    ReplaceChildren(kept);
    for (const GCountedPtr& proxy : proxies) {
        std::erase_if(active_, [&proxy](const GCountedPtr& active) { return active.Get() == proxy.Get(); });
        proxy.As<GPeripheral>()->RemoveListener(this);
    }
    NotifyListeners(this);
}

void GPeripheralComposite::RebuildAddOns() {
    if (GetAddOnMode() == kAddOnNever) return;
    MPersistentComposite* groups = GetChildren();
    const GCountedPtr list(groups != nullptr ? groups->FindById(GetAddOnListId()) : nullptr);
    if (!list) return;
    RemoveProxies();
    std::vector<GCountedPtr> proxies;
    std::unique_ptr<MPersistentIterator> entries = list->CreateIterator();
    while (entries != nullptr && entries->Advance()) {
        const auto* entry = dynamic_cast<const GStringAttribute*>(entries->Current());
        if (entry == nullptr) continue;
        RWWString path;
        if (!RWWString::FromMultiByte(entry->GetValue().Data(), entry->GetValue().Length(), path)) continue;
        GCountedPtr proxy(new GPeripheralProxy(path, GetPdlKind(), GetAddOnMode()));
        if (proxy.As<GPeripheralProxy>()->MayServe()) proxies.push_back(proxy);
    }
    if (proxies.empty()) return;
    // The proxies go in front of the devices, which stay children throughout.
    std::vector<GCountedPtr> children = proxies;
    for (const GCountedPtr& child : ChildPointers())
        children.push_back(child);
    ReplaceChildren(children);
    for (const GCountedPtr& proxy : proxies)
        proxy.As<GPeripheral>()->AddListener(this);
    NotifyListeners(this);
}

void GPeripheralComposite::RemoveAddOns() {
    if (GetAddOnMode() == kAddOnNever) return;
    RemoveProxies();
}

GState* GPeripheralComposite::GetOwnCurrentState() const {
    return ownCurrentState_.As<GState>();
}

GState* GPeripheralComposite::GetOwnDefaultState() const {
    return ownDefaultState_.As<GState>();
}

MPersistentComposite* GPeripheralComposite::GetOwnChildren() const {
    return ownChildren_.As<MPersistentComposite>();
}
