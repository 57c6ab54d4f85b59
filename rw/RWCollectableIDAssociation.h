#pragma once
// A key/value pair whose key is compared by address (class id 0x805F,
// registered as "RWCollectableIDAssociation"), for identity-keyed tables:
// a key that is IsEqual to the stored one but lives elsewhere is another
// key. Against another identity pair, its key's address is compared.
#include "rw/RWCollectableAssociation.h"

constexpr RWClassID __RWCOLLECTABLEIDASSOCIATION = 0x805F;

class RWCollectableIDAssociation : public RWCollectableAssociation {
public:
    RWCollectableIDAssociation() = default;
    RWCollectableIDAssociation(RWCollectable* key, RWCollectable* value)
        : RWCollectableAssociation(key, value) {}

    static RWCollectable* CreateInstance();

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // -1, 0 or 1 as the key's address lies below, at or above the other
    // object's (the other pair's key, for an identity pair).
    int CompareTo(const RWCollectable* other) const override;
    // ((k >> 3) xor k) for the key's address k.
    uint32_t Hash() const override;
    bool IsEqual(const RWCollectable* other) const override;

private:
    // The address a comparison with other looks at.
    static const RWCollectable* Target(const RWCollectable* other);
};
