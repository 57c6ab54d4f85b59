#include "rw/RWHashTable.h"

#include <limits>
#include <memory>

#include "rw/RWSet.h"
#include "rw/RWSlistCollectables.h"

namespace {
// A bucket count the vector can hold, never 0 (the modulo needs one).
uint32_t BucketCount(size_t requested) {
    if (requested == 0) return 2;
    if (requested > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(requested);
}
} // namespace

RWHashTable::RWHashTable(size_t buckets) : table_(BucketCount(buckets), nullptr) {}

RWHashTable::RWHashTable(const RWHashTable& other)
    : RWCollectionBase(other), table_(other.Buckets(), nullptr) {
    CopyBuckets(other);
}

RWHashTable& RWHashTable::operator=(const RWHashTable& other) {
    if (this == &other) return *this;
    Clear();
    table_.Resize(static_cast<uint32_t>(other.Buckets()));
    CopyBuckets(other);
    return *this;
}

void RWHashTable::CopyBuckets(const RWHashTable& other) {
    for (size_t i = 0; i < other.Buckets(); ++i) {
        if (RWSlistCollectables* bucket = other.Bucket(i)) table_(i) = new RWSlistCollectables(*bucket);
    }
    entries_ = other.entries_;
}

RWHashTable::~RWHashTable() {
    Clear();
}

RWCollectable* RWHashTable::CreateInstance() {
    return new RWHashTable;
}

RWCollectable* RWHashTable::NewSpecies() const {
    return new RWHashTable;
}

RWCollectable* RWHashTable::Copy() const {
    return new RWHashTable(*this);
}

RWClassID RWHashTable::IsA() const {
    return __RWHASHTABLE;
}

size_t RWHashTable::BucketIndex(const RWCollectable* object) const {
    return object->Hash() % table_.Length();
}

RWHashTable* RWHashTable::NewDistinctSet(size_t buckets) const {
    return new RWSet(buckets);
}

RWSlistCollectables& RWHashTable::BucketFor(const RWCollectable* object) {
    void*& slot = table_(BucketIndex(object));
    if (slot == nullptr) slot = new RWSlistCollectables;
    return *static_cast<RWSlistCollectables*>(slot);
}

RWCollectable* RWHashTable::AddToBucket(RWCollectable* object) {
    BucketFor(object).Append(object);
    ++entries_;
    return object;
}

void RWHashTable::Apply(RWApplyCollectable function, void* argument) const {
    for (size_t i = 0; i < Buckets(); ++i) {
        if (RWSlistCollectables* bucket = Bucket(i)) bucket->Apply(function, argument);
    }
}

void RWHashTable::Clear() {
    for (size_t i = 0; i < Buckets(); ++i) {
        delete Bucket(i);
        table_(i) = nullptr;
    }
    entries_ = 0;
}

size_t RWHashTable::Entries() const {
    return entries_;
}

RWCollectable* RWHashTable::Find(const RWCollectable* object) const {
    if (object == nullptr) return nullptr;
    RWSlistCollectables* bucket = Bucket(BucketIndex(object));
    return bucket != nullptr ? bucket->Find(object) : nullptr;
}

RWCollectable* RWHashTable::Insert(RWCollectable* object) {
    if (object == nullptr) return nullptr;
    return AddToBucket(object);
}

bool RWHashTable::IsEmpty() const {
    return entries_ == 0;
}

size_t RWHashTable::OccurrencesOf(const RWCollectable* object) const {
    if (object == nullptr) return 0;
    RWSlistCollectables* bucket = Bucket(BucketIndex(object));
    return bucket != nullptr ? bucket->OccurrencesOf(object) : 0;
}

RWCollectable* RWHashTable::Remove(const RWCollectable* object) {
    if (object == nullptr) return nullptr;
    RWSlistCollectables* bucket = Bucket(BucketIndex(object));
    RWCollectable* removed = bucket != nullptr ? bucket->Remove(object) : nullptr;
    if (removed != nullptr) MemberRemoved();
    return removed;
}

void RWHashTable::Resize(size_t n) {
    if (n == 0) n = entries_ >= 12 ? size_t{entries_} * 3 / 2 : 16;
    RWPtrVector old(BucketCount(n), nullptr);
    std::swap(old, table_);
    entries_ = 0;
    for (size_t i = 0; i < old.Length(); ++i) {
        auto* bucket = static_cast<RWSlistCollectables*>(old(i));
        if (bucket == nullptr) continue;
        bucket->ForEach([this](RWCollectable* member) {
            Insert(member);
            return true;
        });
        delete bucket;
        old(i) = nullptr;
    }
}

void RWHashTable::GrowWhileRestoring() {
    const size_t buckets = Buckets();
    if (entries_ < buckets || buckets > std::numeric_limits<uint32_t>::max() / 2) return;
    RWPtrVector old(BucketCount(buckets * 2), nullptr);
    std::swap(old, table_);
    for (size_t i = 0; i < old.Length(); ++i) {
        auto* bucket = static_cast<RWSlistCollectables*>(old(i));
        if (bucket == nullptr) continue;
        bucket->ForEach([this](RWCollectable* member) {
            BucketFor(member).Append(member); // entries unchanged
            return true;
        });
        delete bucket;
        old(i) = nullptr;
    }
}

void RWHashTable::InsertRestored(RWCollectionBase& collection, RWCollectable* member, uint32_t) {
    auto& table = static_cast<RWHashTable&>(collection);
    table.GrowWhileRestoring();
    table.Insert(member);
}

template <class Carrier> void RWHashTable::RestoreGutsFrom(Carrier& carrier) {
    Clear();
    RestoreMembers(carrier, &InsertRestored);
}

RW_DEFINE_RESTORE_GUTS(RWHashTable)

bool RWHashTable::EqualOccurrences(const RWCollectionBase& self, const RWCollectable* other) {
    const auto& mine = static_cast<const RWHashTable&>(self);
    const auto* theirs = dynamic_cast<const RWHashTable*>(other);
    if (theirs == nullptr || theirs->entries_ != mine.entries_) return false;
    std::unique_ptr<RWHashTable> distinct(mine.NewDistinctSet(mine.entries_ / 2));
    mine.ForEach([&](RWCollectable* member) {
        distinct->Insert(member);
        return true;
    });
    bool equal = true;
    distinct->ForEach(
        [&](RWCollectable* x) { return equal = mine.OccurrencesOf(x) <= theirs->OccurrencesOf(x); });
    // The temporary set holds the members, never owns them.
    distinct->Clear();
    return equal;
}

bool RWHashTable::operator==(const RWHashTable& other) const {
    if (&other == this) return true;
    return CompareOnce(&other, &EqualOccurrences);
}

bool RWHashTable::IsEqual(const RWCollectable* other) const {
    if (other == this) return true;
    if (other == nullptr || other->IsA() != IsA()) return false;
    return CompareOnce(other, &EqualOccurrences);
}
