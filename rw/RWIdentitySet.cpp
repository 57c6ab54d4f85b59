#include "rw/RWIdentitySet.h"

#include <cstdint>
#include <vector>

RWIdentitySet::RWIdentitySet(size_t buckets) : RWSet(buckets) {}

RWCollectable* RWIdentitySet::CreateInstance() {
    return new RWIdentitySet;
}

RWCollectable* RWIdentitySet::NewSpecies() const {
    return new RWIdentitySet;
}

RWCollectable* RWIdentitySet::Copy() const {
    return new RWIdentitySet(*this);
}

RWClassID RWIdentitySet::IsA() const {
    return __RWIDENTITYSET;
}

size_t RWIdentitySet::BucketIndex(const RWCollectable* object) const {
    const auto p = reinterpret_cast<uintptr_t>(object);
    return ((p >> 3) ^ p) % Buckets();
}

RWHashTable* RWIdentitySet::NewDistinctSet(size_t buckets) const {
    return new RWIdentitySet(buckets);
}

void RWIdentitySet::ClearAndDestroy() {
    // Emptied before the deletes, so no destructor can meet a member that is
    // already gone through this set.
    std::vector<RWCollectable*> members;
    members.reserve(Entries());
    ForEach([&](RWCollectable* member) {
        if (member != this) members.push_back(member);
        return true;
    });
    Clear();
    for (RWCollectable* member : members)
        delete member;
}

RWCollectable* RWIdentitySet::Find(const RWCollectable* object) const {
    if (object == nullptr) return nullptr;
    RWSlistCollectables* bucket = Bucket(BucketIndex(object));
    return bucket != nullptr && bucket->ContainsReference(object) ? const_cast<RWCollectable*>(object)
                                                                  : nullptr;
}

RWCollectable* RWIdentitySet::Insert(RWCollectable* object) {
    if (object == nullptr) return nullptr;
    if (Find(object) != nullptr) return object;
    return AddToBucket(object);
}

RWCollectable* RWIdentitySet::Remove(const RWCollectable* object) {
    if (object == nullptr) return nullptr;
    RWSlistCollectables* bucket = Bucket(BucketIndex(object));
    RWCollectable* removed = bucket != nullptr ? bucket->RemoveReference(object) : nullptr;
    if (removed != nullptr) MemberRemoved();
    return removed;
}
