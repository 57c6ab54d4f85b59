#include "rw/RWCollectableAssociation.h"

#include <utility>

RWCollectable* RWCollectableAssociation::CreateInstance() {
    return new RWCollectableAssociation;
}

RWCollectable* RWCollectableAssociation::NewSpecies() const {
    return new RWCollectableAssociation;
}

RWCollectable* RWCollectableAssociation::Copy() const {
    return new RWCollectableAssociation(*this);
}

RWClassID RWCollectableAssociation::IsA() const {
    return __RWCOLLECTABLEASSOCIATION;
}

uint32_t RWCollectableAssociation::BinaryStoreSize() const {
    return RWObjectStoreSize(key_) + RWObjectStoreSize(value_);
}

int RWCollectableAssociation::CompareTo(const RWCollectable* other) const {
    if (other == nullptr || key_ == nullptr) return RWCollectable::CompareTo(other);
    return -other->CompareTo(key_);
}

uint32_t RWCollectableAssociation::Hash() const {
    return key_ != nullptr ? key_->Hash() : RWCollectable::Hash();
}

bool RWCollectableAssociation::IsEqual(const RWCollectable* other) const {
    return other != nullptr && key_ != nullptr && other->IsEqual(key_);
}

RWCollectable* RWCollectableAssociation::SetValue(RWCollectable* value) {
    return std::exchange(value_, value);
}

template <class Carrier> void RWCollectableAssociation::SaveGutsTo(Carrier& carrier) const {
    RWCollectable::SaveGuts(carrier);
    RWSaveObject(carrier, key_);
    RWSaveObject(carrier, value_);
}

template <class Carrier> void RWCollectableAssociation::RestoreGutsFrom(Carrier& carrier) {
    RWCollectable::RestoreGuts(carrier);
    key_ = nullptr;
    value_ = nullptr;
    RWCollectable* key = nullptr;
    RWCollectable* value = nullptr;
    if (!RWRestoreObject(carrier, key) || !RWRestoreObject(carrier, value)) return;
    // A pair without key cannot be sorted, hashed or found.
    if (key == nullptr) {
        RWMarkRestoreFailed(carrier);
        return;
    }
    key_ = key;
    value_ = value;
}

RW_DEFINE_GUTS(RWCollectableAssociation)
