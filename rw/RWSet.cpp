#include "rw/RWSet.h"

#include <vector>

#include "rw/RWReadTable.h"

RWSet::RWSet(size_t buckets) : RWHashTable(buckets) {}

RWSet::RWSet(const RWSet& other) : RWHashTable(other) {}

RWSet& RWSet::operator=(const RWSet& other) {
    RWHashTable::operator=(other);
    return *this;
}

RWSet::~RWSet() = default;

RWCollectable* RWSet::CreateInstance() {
    return new RWSet;
}

RWCollectable* RWSet::NewSpecies() const {
    return new RWSet;
}

RWCollectable* RWSet::Copy() const {
    return new RWSet(*this);
}

RWClassID RWSet::IsA() const {
    return __RWSET;
}

RWCollectable* RWSet::Insert(RWCollectable* object) {
    if (object == nullptr) return nullptr;
    if (RWCollectable* existing = Find(object)) return existing;
    return AddToBucket(object);
}

void RWSet::KeepRestored(RWCollectionBase& collection, RWCollectable* member, uint32_t entry) {
    auto& set = static_cast<RWSet&>(collection);
    set.GrowWhileRestoring();
    if (set.Insert(member) == member) return;
    // Restored outside a graph the object is the set's alone; inside one,
    // the set owns it only when no other holder claimed it first.
    RWReadTable* table = RWReadTable::Current();
    if (table == nullptr || table->ClaimIfUnclaimed(entry)) set.setAside_.emplace_back(member);
}

template <class Carrier> void RWSet::RestoreGutsFrom(Carrier& carrier) {
    Clear();
    setAside_.clear(); // held since an earlier, finished restore
    RestoreMembers(carrier, &KeepRestored);
}

RW_DEFINE_RESTORE_GUTS(RWSet)

size_t RWSet::OccurrencesOf(const RWCollectable* object) const {
    return Find(object) != nullptr ? 1 : 0;
}

bool RWSet::IsSubsetOf(const RWSet& other) const {
    bool subset = true;
    ForEach([&](RWCollectable* member) { return subset = other.Contains(member); });
    return subset;
}

bool RWSet::IsProperSubsetOf(const RWSet& other) const {
    return Entries() < other.Entries() && IsSubsetOf(other);
}

void RWSet::IntersectWith(const RWSet& other) {
    if (other.IsEmpty()) {
        Clear();
        return;
    }
    // Collected first: removing while walking the buckets would cut the walk.
    std::vector<RWCollectable*> missing;
    ForEach([&](RWCollectable* member) {
        if (!other.Contains(member)) missing.push_back(member);
        return true;
    });
    for (RWCollectable* member : missing)
        Remove(member);
}

void RWSet::Intersection(const RWSet& other, RWSet& result) const {
    const RWSet& walked = Entries() >= other.Entries() ? other : *this;
    const RWSet& tested = &walked == this ? other : *this;
    // Collected first, so result may be one of the two sets.
    std::vector<RWCollectable*> common;
    walked.ForEach([&](RWCollectable* member) {
        if (tested.Contains(member)) common.push_back(member);
        return true;
    });
    for (RWCollectable* member : common)
        result.Insert(member);
}
