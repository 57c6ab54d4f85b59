#pragma once
// A key/value pair of collectables (class id 0x8008, registered as
// "RWCollectableAssociation"), the item of RWBTreeDictionary. Neither key
// nor value is owned by the pair. The pair answers the collectable
// operations for its key: it sorts, hashes and compares as its key does, so
// lookups pass a bare key (or another pair) to it.
//
// Saved form: the key, then the value, each an object pointer of the graph
// (the nil object for a null value).
#include <cstdint>

#include "rw/RWCarrier.h"
#include "rw/RWCollectable.h"

constexpr RWClassID __RWCOLLECTABLEASSOCIATION = 0x8008;

class RWCollectableAssociation : public RWCollectable {
    RW_DECLARE_GUTS()

public:
    RWCollectableAssociation() = default;
    RWCollectableAssociation(RWCollectable* key, RWCollectable* value) : key_(key), value_(value) {}
    RWCollectableAssociation(const RWCollectableAssociation&) = default;
    RWCollectableAssociation& operator=(const RWCollectableAssociation&) = default;
    ~RWCollectableAssociation() override = default;

    static RWCollectable* CreateInstance();

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // The key's and the value's recursive store sizes.
    uint32_t BinaryStoreSize() const override;
    // The key's order against other: other->CompareTo(key), negated.
    int CompareTo(const RWCollectable* other) const override;
    uint32_t Hash() const override;
    // other->IsEqual(key).
    bool IsEqual(const RWCollectable* other) const override;

    RWCollectable* Key() const { return key_; }
    RWCollectable* Value() const { return value_; }
    // The old value.
    RWCollectable* SetValue(RWCollectable* value);

protected:
    RWCollectable* key_ = nullptr;
    RWCollectable* value_ = nullptr;
};
