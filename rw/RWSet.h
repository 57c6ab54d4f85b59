#pragma once
// A hashed set of collectables (class id 0x802B, registered as "RWSet"): no
// two members are IsEqual. Inserting an object equal to a member returns
// that member and inserts nothing. A restored set holds the same object
// once, and one of two equal objects (see RestoreGuts).
#include <memory>
#include <vector>

#include "rw/RWHashTable.h"

constexpr RWClassID __RWSET = 0x802B;

class RWSet : public RWHashTable {
public:
    explicit RWSet(size_t buckets = RWCollectionDefaultCapacity);
    // The members are shared; what a restore set aside stays with the set
    // it was read into.
    RWSet(const RWSet& other);
    RWSet& operator=(const RWSet& other);
    // Deletes what a restore set aside (never the members).
    ~RWSet() override;

    static RWCollectable* CreateInstance();

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;

    // As the hashed table's, through Insert, so the set keeps one of two
    // distinct but equal restored objects. The other is set aside, not
    // freed: a later back-reference of the same graph may still name it.
    // The set owns it (it claims it in the graph restore's table, so no
    // other holder may own it too) and deletes it when the set goes or is
    // restored again; an object another holder already claimed is left to
    // that holder.
    RW_DECLARE_RESTORE_GUTS()

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

    // The restored objects this set holds apart (equal to a member).
    size_t SetAside() const { return setAside_.size(); }

private:
    static void KeepRestored(RWCollectionBase& collection, RWCollectable* member, uint32_t entry);

    std::vector<std::unique_ptr<RWCollectable>> setAside_;
};
