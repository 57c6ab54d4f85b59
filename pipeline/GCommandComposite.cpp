#include "pipeline/GCommandComposite.h"

#include "pipeline/GCommandCompositeIterator.h"

namespace {

bool IsCommand(const MPersistentObject* object) {
    return object != nullptr && object->IsKindOf(GCommand::kClassId);
}

} // namespace

GCommandComposite::GCommandComposite() = default;

GCommandComposite::GCommandComposite(uint32_t id) : GCommand(id) {}

GCommandComposite::GCommandComposite(GState* state, uint32_t id) : GCommand(state, id) {}

GCommandComposite::GCommandComposite(const GCommandComposite& other) : GCommand(other), list_(other.list_) {}

GCommandComposite& GCommandComposite::operator=(const GCommandComposite& other) {
    if (this != &other) {
        GCommand::operator=(other);
        list_ = other.list_;
    }
    return *this;
}

GCommandComposite::~GCommandComposite() = default;

uint32_t GCommandComposite::BinaryStoreSize() const {
    return GCommand::BinaryStoreSize() + 4 + list_.BinaryStoreSize();
}

template <class Carrier> void GCommandComposite::SaveGutsTo(Carrier& carrier) const {
    GCommand::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    list_.SaveGuts(carrier);
}

template <class Carrier> void GCommandComposite::RestoreGutsFrom(Carrier& carrier) {
    GCommand::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) return;
    list_.RestoreGuts(carrier);
    // The list is played as commands: anything else is not ours. It stays
    // held until the failed graph is freed.
    const GCountedPtrVector& children = list_.GetChildren();
    for (uint32_t i = 0; i < children.Count(); ++i) {
        if (!IsCommand(children.At(i).Get())) {
            GMarkRestoreFailed(carrier);
            return;
        }
    }
    SetChanged(0);
}

RW_DEFINE_GUTS(GCommandComposite)

bool GCommandComposite::IsEqualId(const MPersistentObject* other) const {
    if (other == this) return true;
    if (!IsEqualCommand(other)) return false;
    return list_.IsEqualId(&static_cast<const GCommandComposite*>(other)->list_);
}

void GCommandComposite::Append(MPersistentObject* object) {
    if (object == this) return; // a list never holds itself
    const GCountedPtr held(object);
    if (!IsCommand(object)) return;
    list_.Add(object);
    SetChanged(1);
}

void GCommandComposite::Prepend(MPersistentObject* object) {
    if (object == this) return; // a list never holds itself
    const GCountedPtr held(object);
    if (!IsCommand(object)) return;
    list_.AddFirst(object);
    SetChanged(1);
}

void GCommandComposite::Add(MPersistentObject* object) {
    Append(object);
}

void GCommandComposite::AddFirst(MPersistentObject* object) {
    Prepend(object);
}

std::unique_ptr<MPersistentObject> GCommandComposite::Remove(const MPersistentObject* object) {
    std::unique_ptr<MPersistentObject> removed = list_.Remove(object);
    MarkChanged(removed != nullptr);
    return removed;
}

std::unique_ptr<MPersistentObject> GCommandComposite::RemoveById(uint32_t id) {
    std::unique_ptr<MPersistentObject> removed = list_.RemoveById(id);
    MarkChanged(removed != nullptr);
    return removed;
}

std::unique_ptr<MPersistentObject> GCommandComposite::RemoveByClass(RWClassID classId) {
    std::unique_ptr<MPersistentObject> removed = list_.RemoveByClass(classId);
    MarkChanged(removed != nullptr);
    return removed;
}

int GCommandComposite::ReplaceById(uint32_t id, const MPersistentObject* object) {
    const int replaced = IsCommand(object) ? list_.ReplaceById(id, object) : 0;
    MarkChanged(replaced != 0);
    return replaced;
}

int GCommandComposite::ReplaceByClass(RWClassID classId, const MPersistentObject* object) {
    const int replaced = IsCommand(object) ? list_.ReplaceByClass(classId, object) : 0;
    MarkChanged(replaced != 0);
    return replaced;
}

int GCommandComposite::Replace(const MPersistentObject* target, const MPersistentObject* object) {
    const int replaced = IsCommand(object) ? list_.Replace(target, object) : 0;
    MarkChanged(replaced != 0);
    return replaced;
}

int GCommandComposite::ReplaceByKind(RWClassID classId, const MPersistentObject* object) {
    const int replaced = IsCommand(object) ? list_.ReplaceByKind(classId, object) : 0;
    MarkChanged(replaced != 0);
    return replaced;
}

void GCommandComposite::RemoveAll() {}

MPersistentObject* GCommandComposite::FindById(uint32_t id) {
    return list_.FindById(id);
}

MPersistentObject* GCommandComposite::FindByClass(RWClassID classId) {
    return list_.FindByClass(classId);
}

MPersistentObject* GCommandComposite::FindEqual(const MPersistentObject* object) {
    return list_.FindEqual(object);
}

MPersistentObject* GCommandComposite::FindByKind(RWClassID classId) {
    return list_.FindByKind(classId);
}

MPersistentObject* GCommandComposite::CollectByClassInto(RWClassID classId, MPersistentObject* target) {
    return list_.CollectByClassInto(classId, target);
}

MPersistentObject* GCommandComposite::CollectByIdInto(uint32_t id, MPersistentObject* target) {
    return list_.CollectByIdInto(id, target);
}

MPersistentObject* GCommandComposite::CollectByKindInto(RWClassID classId, MPersistentObject* target) {
    return list_.CollectByKindInto(classId, target);
}

std::unique_ptr<MPersistentObject> GCommandComposite::CollectById(uint32_t id) {
    return list_.CollectById(id);
}

std::unique_ptr<MPersistentObject> GCommandComposite::CollectByClass(RWClassID classId) {
    return list_.CollectByClass(classId);
}

std::unique_ptr<MPersistentObject> GCommandComposite::CollectByKind(RWClassID classId) {
    return list_.CollectByKind(classId);
}

MPersistentObject* GCommandComposite::AsComposite() {
    return &list_;
}

uint32_t GCommandComposite::GetCount() const {
    return list_.GetCount();
}

uint32_t GCommandComposite::GetSubtreeSize() const {
    return list_.GetSubtreeSize();
}

std::unique_ptr<MPersistentIterator> GCommandComposite::CreateIterator() {
    return std::make_unique<GCommandCompositeIterator>(list_.CreateIterator());
}

void GCommandComposite::MakeSelfContained() {
    // A copy of the list: a child's work may not change the walk.
    const GCountedPtrVector children = list_.GetChildren();
    for (uint32_t i = 0; i < children.Count(); ++i) {
        if (auto* child = children.At(i).As<GCommand>()) child->MakeSelfContained();
    }
}

uint16_t GCommandComposite::Accept(GPeripheral&) {
    return 0;
}
