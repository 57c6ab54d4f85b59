#include "model/MPersistentObject.h"

#include <atomic>
#include <functional>

#include "model/MPersistentClass.h"
#include "model/MPersistentComposite.h"
#include "model/MPersistentEmptyIterator.h"
#include "model/MPersistentIterator.h"

namespace {

// Constant-initialised: the first object of the process gets serial 1 even
// when it is made by a static initialiser.
constinit MPersistentObject::SerialCounter gSerialCounter;

} // namespace

uint32_t MPersistentObject::SerialCounter::Next() {
    std::atomic_ref<uint32_t> counter(next_);
    uint32_t current = counter.load(std::memory_order_relaxed);
    uint32_t serial;
    do {
        serial = current == 0 ? 1 : current;
    } while (!counter.compare_exchange_weak(current, serial + 1, std::memory_order_relaxed));
    return serial;
}

uint32_t MPersistentObject::NewSerial() {
    return gSerialCounter.Next();
}

MPersistentObject::MPersistentObject() : serial_(NewSerial()) {}

MPersistentObject::MPersistentObject(uint32_t id) : id_(id), serial_(NewSerial()) {}

MPersistentObject::MPersistentObject(const MPersistentObject& other)
    : RWCollectable(other), id_(other.id_), serial_(other.serial_) {}

MPersistentObject& MPersistentObject::operator=(const MPersistentObject& other) {
    if (this != &other) {
        id_ = other.id_;
        serial_ = other.serial_;
    }
    return *this;
}

MPersistentObject::~MPersistentObject() = default;

int32_t MPersistentObject::GetRefCount() const {
    return static_cast<int32_t>(std::atomic_ref<const uint32_t>(refCount_).load(std::memory_order_relaxed));
}

uint32_t MPersistentObject::BinaryStoreSize() const {
    return RWCollectable::BinaryStoreSize() + 12;
}

int MPersistentObject::CompareTo(const RWCollectable* other) const {
    const RWCollectable* self = this;
    if (self == other) {
        return 0;
    }
    return std::less<const RWCollectable*>()(self, other) ? -1 : 1;
}

bool MPersistentObject::IsEqual(const RWCollectable* other) const {
    const auto* object = dynamic_cast<const MPersistentObject*>(other);
    return object != nullptr && IsA() == object->IsA() && IsEqualId(object);
}

template <class Carrier> void MPersistentObject::SaveGutsTo(Carrier& carrier) const {
    RWCollectable::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveU32(carrier, id_);
    RWSaveU32(carrier, serial_);
}

template <class Carrier> void MPersistentObject::RestoreGutsFrom(Carrier& carrier) {
    RWCollectable::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        return;
    }
    uint32_t id = 0;
    uint32_t serial = 0;
    if (!RWRestoreU32(carrier, id) || !RWRestoreU32(carrier, serial)) {
        return; // a cut-off record leaves the fields as they were
    }
    id_ = id;
    if (serial != 0) {
        serial_ = serial;
    }
}

RW_DEFINE_GUTS(MPersistentObject)

bool MPersistentObject::IsKindOf(RWClassID classId) const {
    return classId == kClassId;
}

bool MPersistentObject::IsEqualId(const MPersistentObject* other) const {
    return other != nullptr && id_ == other->id_;
}

// A leaf keeps nothing: an offered object nobody holds is released as a
// counted pointer would release it, so it is not lost.
void MPersistentObject::Add(MPersistentObject* object) {
    if (object != this) GCountedPtr release(object);
}

void MPersistentObject::AddFirst(MPersistentObject* object) {
    if (object != this) GCountedPtr release(object);
}

std::unique_ptr<MPersistentObject> MPersistentObject::Remove(const MPersistentObject*) {
    return nullptr;
}

std::unique_ptr<MPersistentObject> MPersistentObject::RemoveById(uint32_t) {
    return nullptr;
}

std::unique_ptr<MPersistentObject> MPersistentObject::RemoveByClass(RWClassID) {
    return nullptr;
}

int MPersistentObject::ReplaceById(uint32_t, const MPersistentObject*) {
    return 0;
}

int MPersistentObject::ReplaceByClass(RWClassID, const MPersistentObject*) {
    return 0;
}

int MPersistentObject::Replace(const MPersistentObject*, const MPersistentObject*) {
    return 0;
}

int MPersistentObject::ReplaceByKind(RWClassID, const MPersistentObject*) {
    return 0;
}

void MPersistentObject::AddCounted(const GCountedPtr&) {}

void MPersistentObject::AddCountedFirst(const GCountedPtr&) {}

GCountedPtr MPersistentObject::RemoveCountedEqual(const MPersistentObject*) {
    return NullCountedPtr();
}

GCountedPtr MPersistentObject::RemoveCountedById(uint32_t) {
    return NullCountedPtr();
}

GCountedPtr MPersistentObject::RemoveCountedByClass(RWClassID) {
    return NullCountedPtr();
}

int MPersistentObject::ReplaceCountedById(uint32_t, const GCountedPtr&) {
    return 0;
}

int MPersistentObject::ReplaceCountedByClass(RWClassID, const GCountedPtr&) {
    return 0;
}

void MPersistentObject::RemoveAll() {}

MPersistentObject* MPersistentObject::FindById(uint32_t id) {
    return id_ == id ? this : nullptr;
}

MPersistentObject* MPersistentObject::FindByClass(RWClassID classId) {
    return IsA() == classId ? this : nullptr;
}

MPersistentObject* MPersistentObject::FindEqual(const MPersistentObject* object) {
    return IsEqualId(object) ? this : nullptr;
}

MPersistentObject* MPersistentObject::FindByKind(RWClassID classId) {
    return IsKindOf(classId) ? this : nullptr;
}

MPersistentObject* MPersistentObject::CollectByClassInto(RWClassID classId, MPersistentObject* target) {
    if (target != nullptr && IsA() == classId) {
        target->Add(this);
    }
    return target;
}

MPersistentObject* MPersistentObject::CollectByIdInto(uint32_t id, MPersistentObject* target) {
    if (target != nullptr && id_ == id) {
        target->Add(this);
    }
    return target;
}

MPersistentObject* MPersistentObject::CollectByKindInto(RWClassID classId, MPersistentObject* target) {
    if (target != nullptr && IsKindOf(classId)) {
        target->Add(this);
    }
    return target;
}

namespace {

std::unique_ptr<MPersistentObject> CollectSelf(MPersistentObject* self, bool matches) {
    if (!matches) {
        return nullptr;
    }
    auto result = std::make_unique<MPersistentComposite>();
    result->Add(self);
    return result;
}

} // namespace

std::unique_ptr<MPersistentObject> MPersistentObject::CollectById(uint32_t id) {
    return CollectSelf(this, id_ == id);
}

std::unique_ptr<MPersistentObject> MPersistentObject::CollectByClass(RWClassID classId) {
    return CollectSelf(this, IsA() == classId);
}

std::unique_ptr<MPersistentObject> MPersistentObject::CollectByKind(RWClassID classId) {
    return CollectSelf(this, IsKindOf(classId));
}

GCountedPtr MPersistentObject::FindCountedById(uint32_t id) {
    return id_ == id ? GCountedPtr(this) : NullCountedPtr();
}

GCountedPtr MPersistentObject::FindCountedByClass(RWClassID classId) {
    return IsA() == classId ? GCountedPtr(this) : NullCountedPtr();
}

GCountedPtr MPersistentObject::FindCountedEqual(const MPersistentObject* object) {
    return IsEqualId(object) ? GCountedPtr(this) : NullCountedPtr();
}

MPersistentObject* MPersistentObject::AsComposite() {
    return nullptr;
}

uint32_t MPersistentObject::GetSerial() const {
    return serial_;
}

uint32_t MPersistentObject::GetCount() const {
    return 1;
}

uint32_t MPersistentObject::GetSubtreeSize() const {
    return 1;
}

std::unique_ptr<MPersistentIterator> MPersistentObject::CreateIterator() {
    return std::make_unique<MPersistentEmptyIterator>();
}

RWClassID MPersistentObject::GetTypeCode() const {
    return IsA();
}

namespace {

std::unique_ptr<MPersistentObject> AsOwnedPersistent(RWCollectable* made) {
    std::unique_ptr<RWCollectable> owned(made);
    auto* object = dynamic_cast<MPersistentObject*>(owned.get());
    if (object == nullptr) {
        return nullptr;
    }
    owned.release();
    return std::unique_ptr<MPersistentObject>(object);
}

} // namespace

std::unique_ptr<MPersistentObject> MPersistentObject::Clone() const {
    auto* self = const_cast<MPersistentObject*>(this);
    if (self->AsComposite() == nullptr) {
        return AsOwnedPersistent(Copy());
    }
    std::unique_ptr<MPersistentObject> clone = AsOwnedPersistent(NewSpecies());
    if (clone == nullptr) {
        return nullptr;
    }
    clone->id_ = id_;
    std::unique_ptr<MPersistentIterator> children = self->CreateIterator();
    if (children != nullptr) {
        while (children->Advance()) {
            // Held across Add: a node that does not keep the clone leaves it
            // to this holder to delete.
            MPersistentObject* source = children->Current();
            if (source == nullptr) {
                continue;
            }
            GCountedPtr child(source->Clone());
            clone->Add(child.Get());
        }
    }
    return clone;
}

void MPersistentObject::ClearSerialsRecursive() {
    serial_ = 0;
    if (AsComposite() == nullptr) {
        return;
    }
    std::unique_ptr<MPersistentIterator> children = CreateIterator();
    if (children == nullptr) {
        return;
    }
    while (children->Advance()) {
        if (MPersistentObject* child = children->Current()) {
            child->ClearSerialsRecursive();
        }
    }
}
