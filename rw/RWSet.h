#pragma once
// A hashed set of collectables (class id 0x802B, registered as "RWSet"): no
// two members are IsEqual. Inserting an object equal to a member returns
// that member and inserts nothing. A restored set holds the same object
// once, but never drops a distinct object of the graph (see RestoreGuts).
#include "rw/RWHashTable.h"

constexpr RWClassID __RWSET = 0x802B;

class RWSet : public RWHashTable {
public:
    explicit RWSet(size_t buckets = RWCollectionDefaultCapacity);
    RWSet(const RWSet&) = default;
    RWSet& operator=(const RWSet&) = default;
    ~RWSet() override = default;

    static RWCollectable* CreateInstance();

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;

    // As the collection base's, except that a restored object equal to a
    // member but distinct from it is kept too: nothing else of the graph may
    // hold it, and dropping it would leave it owned by nobody. Well-formed
    // data never holds such a pair; damaged data keeps no object out of
    // reach of ClearAndDestroy.
    void RestoreGuts(RWVirtualInStream& stream) override;
    void RestoreGuts(RWBinaryFile& file) override;

    // ClearAndDestroy stays the collection base's, which deletes each
    // distinct object once even when a member's IsEqual is not reflexive and
    // so let the same object in twice.
    RWCollectable* Insert(RWCollectable* object) override;
    // 1 when Find succeeds, else 0.
    size_t OccurrencesOf(const RWCollectable* object) const override;

    // Whether other Contains every member of this set.
    bool IsSubsetOf(const RWSet& other) const;
    // Fewer entries than other, and a subset of it.
    bool IsProperSubsetOf(const RWSet& other) const;
    // Keeps only the members other Contains (clears when other is empty).
    void IntersectWith(const RWSet& other);
    // Inserts into result the members of the two sets' intersection, walking
    // the smaller of the two.
    void Intersection(const RWSet& other, RWSet& result) const;

private:
    static void KeepRestored(RWCollectionBase& collection, RWCollectable* member);
};
