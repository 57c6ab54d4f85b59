#pragma once
// A hashed set of distinct objects by address (class id 0x8025, registered
// as "RWIdentitySet"): two different objects that are IsEqual are both
// held; the same object is held once. ClearAndDestroy of every other
// collection uses one to delete each object once.
#include "rw/RWSet.h"

constexpr RWClassID __RWIDENTITYSET = 0x8025;

class RWIdentitySet : public RWSet {
public:
    explicit RWIdentitySet(size_t buckets = RWCollectionDefaultCapacity);
    RWIdentitySet(const RWIdentitySet&) = default;
    RWIdentitySet& operator=(const RWIdentitySet&) = default;
    ~RWIdentitySet() override = default;

    static RWCollectable* CreateInstance();

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;

    // Members are distinct objects: each is deleted (never this set itself),
    // then the set is cleared.
    void ClearAndDestroy() override;
    // The member at the object's address, else null.
    RWCollectable* Find(const RWCollectable* object) const override;
    RWCollectable* Insert(RWCollectable* object) override;
    RWCollectable* Remove(const RWCollectable* object) override;

protected:
    // ((p >> 3) xor p) modulo the bucket count, p the object's address.
    size_t BucketIndex(const RWCollectable* object) const override;
    RWHashTable* NewDistinctSet(size_t buckets) const override;
};
