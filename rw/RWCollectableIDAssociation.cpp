#include "rw/RWCollectableIDAssociation.h"

#include <cstdint>
#include <functional>

RWCollectable* RWCollectableIDAssociation::CreateInstance() {
    return new RWCollectableIDAssociation;
}

RWCollectable* RWCollectableIDAssociation::NewSpecies() const {
    return new RWCollectableIDAssociation;
}

RWCollectable* RWCollectableIDAssociation::Copy() const {
    return new RWCollectableIDAssociation(*this);
}

RWClassID RWCollectableIDAssociation::IsA() const {
    return __RWCOLLECTABLEIDASSOCIATION;
}

const RWCollectable* RWCollectableIDAssociation::Target(const RWCollectable* other) {
    const auto* pair = dynamic_cast<const RWCollectableIDAssociation*>(other);
    return pair != nullptr ? pair->key_ : other;
}

int RWCollectableIDAssociation::CompareTo(const RWCollectable* other) const {
    // Sorting pairs among themselves by their keys keeps a tree of them
    // ordered the same way as the bare keys it is searched with.
    const RWCollectable* target = Target(other);
    if (key_ == target) return 0;
    return std::less<const RWCollectable*>()(key_, target) ? -1 : 1;
}

uint32_t RWCollectableIDAssociation::Hash() const {
    const auto k = reinterpret_cast<uintptr_t>(key_);
    return static_cast<uint32_t>((k >> 3) ^ k);
}

bool RWCollectableIDAssociation::IsEqual(const RWCollectable* other) const {
    return other != nullptr && Target(other) == key_;
}
