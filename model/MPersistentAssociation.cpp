#include "model/MPersistentAssociation.h"

#include "rw/RWCollectableIO.h"

namespace {

std::unique_ptr<MPersistentObject> CopyOf(const MPersistentObject* object) {
    if (object == nullptr) {
        return nullptr;
    }
    std::unique_ptr<RWCollectable> copy(object->Copy());
    auto* persistent = dynamic_cast<MPersistentObject*>(copy.get());
    if (persistent == nullptr) {
        return nullptr;
    }
    copy.release();
    return std::unique_ptr<MPersistentObject>(persistent);
}

bool MembersEqual(const MPersistentObject* mine, const MPersistentObject* theirs) {
    if (mine == nullptr || theirs == nullptr) {
        return mine == theirs;
    }
    return !mine->IsNotEqualId(theirs) && !theirs->IsNotEqualId(mine);
}

uint32_t MemberStoreSize(const MPersistentObject* member) {
    // A missing member is saved as the nil object.
    return member != nullptr ? member->RecursiveStoreSize()
                             : RWCollectable::NilObject()->RecursiveStoreSize();
}

} // namespace

MPersistentAssociation::MPersistentAssociation() = default;

MPersistentAssociation::MPersistentAssociation(MPersistentObject* key, MPersistentObject* value, uint32_t id)
    : MPersistentObject(id), key_(key), value_(value) {}

MPersistentAssociation::MPersistentAssociation(const MPersistentAssociation& other)
    : MPersistentObject(), key_(CopyOf(other.key_.get())), value_(CopyOf(other.value_.get())) {}

MPersistentAssociation& MPersistentAssociation::operator=(const MPersistentAssociation& other) {
    if (this != &other) {
        // Copied first: other may be part of what this association owns.
        std::unique_ptr<MPersistentObject> key = CopyOf(other.key_.get());
        std::unique_ptr<MPersistentObject> value = CopyOf(other.value_.get());
        key_ = std::move(key);
        value_ = std::move(value);
    }
    return *this;
}

MPersistentAssociation::~MPersistentAssociation() = default;

uint32_t MPersistentAssociation::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 4 + MemberStoreSize(key_.get()) +
           MemberStoreSize(value_.get());
}

template <class Carrier> void MPersistentAssociation::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveObject(carrier, key_.get());
    RWSaveObject(carrier, value_.get());
}

template <class Carrier> void MPersistentAssociation::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        return;
    }
    // Each member is stored the moment it is claimed, so a failure later in
    // the graph finds it where the destructor frees it.
    key_.reset();
    MPersistentObject* key = nullptr;
    const bool read = RWRestoreObjectAs(carrier, key, RWRestoreHold::Owned);
    key_.reset(key);
    if (!read) {
        return;
    }
    value_.reset();
    MPersistentObject* value = nullptr;
    RWRestoreObjectAs(carrier, value, RWRestoreHold::Owned);
    value_.reset(value);
}

RW_DEFINE_GUTS(MPersistentAssociation)

bool MPersistentAssociation::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    const auto* association = dynamic_cast<const MPersistentAssociation*>(other);
    return association != nullptr && IsA() == other->IsA() && GetId() == other->GetId() &&
           MembersEqual(key_.get(), association->key_.get()) &&
           MembersEqual(value_.get(), association->value_.get());
}
