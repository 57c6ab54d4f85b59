#include "rw/RWCollectionBase.h"

#include <utility>
#include <vector>

#include "rw/RWCollectableIO.h"
#include "rw/RWIdentitySet.h"
#include "rw/RWReadTable.h"

RWClassID RWCollectionBase::IsA() const {
    return __RWCOLLECTION;
}

uint32_t RWCollectionBase::BinaryStoreSize() const {
    uint32_t size = 4;
    Apply(
        [](RWCollectable* member, void* total) {
            const RWCollectable* saved = member != nullptr ? member : RWCollectable::NilObject();
            *static_cast<uint32_t*>(total) += saved->RecursiveStoreSize();
        },
        &size);
    return size;
}

template <class Carrier> void RWCollectionBase::SaveGutsTo(Carrier& carrier) const {
    RWSaveU32(carrier, static_cast<uint32_t>(Entries()));
    Apply(
        [](RWCollectable* member, void* argument) {
            auto& out = *static_cast<Carrier*>(argument);
            if (RWSaveGood(out)) RWSaveObject(out, member);
        },
        &carrier);
}

namespace {
void InsertRestored(RWCollectionBase& collection, RWCollectable* member, uint32_t) {
    collection.Insert(member);
}

struct Restored {
    RWCollectable* member;
    uint32_t entry;
};

// Members are gathered first and handed to the collection only once all of
// them were read: when the source fails part way, the whole restore fails
// and frees what it made, so the collection must not keep any of it.
template <class Carrier> bool ReadMembers(Carrier& carrier, std::vector<Restored>& members) {
    uint32_t count = 0;
    if (!RWRestoreU32(carrier, count)) return false;
    const RWReadTable* table = RWReadTable::Current();
    for (uint32_t i = 0; i < count; ++i) {
        RWCollectable* member = nullptr;
        if (!RWRestoreObject(carrier, member)) return false;
        // A null member (the nil object) is not held.
        if (member != nullptr) members.push_back({member, table != nullptr ? table->LastHandedOut() : 0});
    }
    return true;
}

template <class Carrier>
void RestoreAll(RWCollectionBase& collection, Carrier& carrier,
                void (*sink)(RWCollectionBase&, RWCollectable*, uint32_t)) {
    std::vector<Restored> members;
    if (!ReadMembers(carrier, members)) return;
    for (const Restored& restored : members)
        sink(collection, restored.member, restored.entry);
}
} // namespace

void RWCollectionBase::RestoreMembers(RWVirtualInStream& stream, RestoredMemberSink sink) {
    RestoreAll(*this, stream, sink);
}

void RWCollectionBase::RestoreMembers(RWBinaryFile& file, RestoredMemberSink sink) {
    RestoreAll(*this, file, sink);
}

template <class Carrier> void RWCollectionBase::RestoreGutsFrom(Carrier& carrier) {
    Clear();
    RestoreMembers(carrier, &InsertRestored);
}

RW_DEFINE_GUTS(RWCollectionBase)

void RWCollectionBase::ClearAndDestroy() {
    RWIdentitySet distinct(Entries() / 4);
    Apply([](RWCollectable* member, void* set) { static_cast<RWIdentitySet*>(set)->Insert(member); },
          &distinct);
    // A restored graph may hold a collection inside itself: it is not
    // deleted from under its own ClearAndDestroy.
    distinct.Remove(this);
    Clear();
    distinct.ClearAndDestroy();
}

bool RWCollectionBase::Contains(const RWCollectable* object) const {
    return Find(object) != nullptr;
}

bool RWCollectionBase::IsEmpty() const {
    return Entries() == 0;
}

void RWCollectionBase::RemoveAndDestroy(const RWCollectable* object) {
    RWCollectable* removed = Remove(object);
    if (removed != nullptr && removed != this) delete removed;
}

namespace {
thread_local std::vector<std::pair<const void*, const void*>> t_comparing;
} // namespace

bool RWCollectionBase::CompareOnce(const RWCollectable* other,
                                   bool (*test)(const RWCollectionBase& self,
                                                const RWCollectable* other)) const {
    const std::pair<const void*, const void*> pair{this, other};
    for (const auto& p : t_comparing) {
        if (p == pair) return true;
    }
    t_comparing.push_back(pair);
    struct Pop {
        ~Pop() { t_comparing.pop_back(); }
    } pop;
    return test(*this, other);
}
