#include "model/GCountedPtr.h"

#include <utility>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWCollectableIO.h"
#include "rw/RWRefCounted.h"

namespace {

// Guards the reference-count changes this file makes.
constinit RWLazyCriticalSection gCountLock;

} // namespace

void GCountedPtr::Acquire(MPersistentObject* object) {
    if (object != nullptr) {
        RWRefCounted::AddReference(object->refCount_, gCountLock);
    }
}

void GCountedPtr::Release(MPersistentObject* object) {
    if (object != nullptr && RWRefCounted::RemoveReference(object->refCount_, gCountLock) == 0) {
        delete object;
    }
}

GCountedPtr::GCountedPtr(MPersistentObject* object) : object_(object) {
    Acquire(object_);
}

GCountedPtr::GCountedPtr(const GCountedPtr& other) : RWCollectable(other), object_(other.object_) {
    Acquire(object_);
}

GCountedPtr::GCountedPtr(GCountedPtr&& other) noexcept
    : RWCollectable(other), object_(std::exchange(other.object_, nullptr)) {}

GCountedPtr& GCountedPtr::operator=(const GCountedPtr& other) {
    Reset(other.object_);
    return *this;
}

GCountedPtr& GCountedPtr::operator=(GCountedPtr&& other) noexcept {
    if (this != &other) {
        MPersistentObject* old = std::exchange(object_, std::exchange(other.object_, nullptr));
        Release(old);
    }
    return *this;
}

GCountedPtr::~GCountedPtr() {
    Release(object_);
}

void GCountedPtr::Reset(MPersistentObject* object) {
    if (object == object_) {
        return;
    }
    // The new object is held before the old one goes: the old one may be
    // all that keeps the new one alive (a child of it).
    Acquire(object);
    Release(std::exchange(object_, object));
}

std::unique_ptr<MPersistentObject> GCountedPtr::Detach() {
    MPersistentObject* object = std::exchange(object_, nullptr);
    if (object == nullptr) {
        return nullptr;
    }
    std::unique_ptr<MPersistentObject> copy;
    if (object->GetRefCount() > 0) {
        // Shared: the copy is made while this holder still keeps the object.
        std::unique_ptr<RWCollectable> made(object->Copy());
        if (auto* persistent = dynamic_cast<MPersistentObject*>(made.get())) {
            made.release();
            copy.reset(persistent);
        }
    }
    if (RWRefCounted::RemoveReference(object->refCount_, gCountLock) == 0) {
        // This was the last holder after all: the caller gets the object.
        return std::unique_ptr<MPersistentObject>(object);
    }
    return copy;
}

RWCollectable* GCountedPtr::NewSpecies() const {
    return nullptr;
}

RWCollectable* GCountedPtr::Copy() const {
    return nullptr;
}

RWCollectable* GCountedPtr::Create() {
    return nullptr;
}

RWClassID GCountedPtr::IsA() const {
    return kClassId;
}

bool GCountedPtr::IsKindOf(RWClassID classId) const {
    return classId == kClassId || classId == MPersistentObject::kClassId;
}

uint32_t GCountedPtr::BinaryStoreSize() const {
    uint32_t size = RWCollectable::BinaryStoreSize();
    return object_ != nullptr ? size + object_->RecursiveStoreSize() : size + 6;
}

template <class Carrier> void GCountedPtr::SaveGutsTo(Carrier& carrier) const {
    RWCollectable::SaveGuts(carrier);
    RWSaveObject(carrier, object_);
}

template <class Carrier> void GCountedPtr::RestoreGutsFrom(Carrier& carrier) {
    RWCollectable::RestoreGuts(carrier);
    *this = GRestoreChild(carrier);
}

RW_DEFINE_GUTS(GCountedPtr)

std::unique_ptr<MPersistentObject> GCountedPtr::CloneObject() const {
    return object_ != nullptr ? object_->Clone() : nullptr;
}

const GCountedPtr& NullCountedPtr() {
    static const GCountedPtr null;
    return null;
}
