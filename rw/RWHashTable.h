#pragma once
// A hashed bag of collectables (class id 0x805E, registered as
// "RWHashTable"): equal members may repeat. A member's bucket is its Hash
// modulo the bucket count; within a bucket members are compared with
// IsEqual. The table keeps its bucket count until a caller calls Resize,
// except while it is restored: then the bucket count doubles whenever the
// members come to outnumber the buckets, so a restore costs time linear in
// its input (a table restored with no more members than buckets keeps its
// count).
//
// Fields: the bucket vector (N pointers, each null or an owned list of that
// bucket's members) and the member count.
#include <cstddef>
#include <cstdint>

#include "rw/RWCollectionBase.h"
#include "rw/RWPtrVector.h"
#include "rw/RWSlistCollectables.h"

constexpr RWClassID __RWHASHTABLE = 0x805E;

// The library-wide default bucket count of the hashed collections.
constexpr size_t RWCollectionDefaultCapacity = 64;

class RWHashTable : public RWCollectionBase {
public:
    // A requested count of 0 gives 2 buckets.
    explicit RWHashTable(size_t buckets = RWCollectionDefaultCapacity);
    // The same bucket count, bucket lists copied (same member pointers).
    RWHashTable(const RWHashTable& other);
    RWHashTable& operator=(const RWHashTable& other);
    ~RWHashTable() override;

    static RWCollectable* CreateInstance();

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // Same class id and operator==.
    bool IsEqual(const RWCollectable* other) const override;
    // Clear, then the members as the collection base reads them, each
    // through Insert, growing the buckets as they arrive.
    RW_DECLARE_RESTORE_GUTS()

    // Buckets in index order, each bucket's members in list order.
    void Apply(RWApplyCollectable function, void* argument) const override;
    void Clear() override;
    size_t Entries() const override;
    RWCollectable* Find(const RWCollectable* object) const override;
    // Appends to the object's bucket; returns the object. A null object is
    // not inserted (null is returned).
    RWCollectable* Insert(RWCollectable* object) override;
    bool IsEmpty() const override;
    size_t OccurrencesOf(const RWCollectable* object) const override;
    RWCollectable* Remove(const RWCollectable* object) override;

    // Rehashes every member into n buckets through Insert. n = 0 chooses
    // entries * 3 / 2 when there are at least 12 entries, else 16.
    virtual void Resize(size_t n = 0);

    size_t Buckets() const { return table_.Length(); }

    // The members in Apply order; stops early when visit returns false.
    template <typename Visit> void ForEach(Visit visit) const {
        bool go = true;
        for (size_t i = 0; go && i < Buckets(); ++i) {
            if (RWSlistCollectables* bucket = Bucket(i)) {
                bucket->ForEach([&](RWCollectable* member) { return go = visit(member); });
            }
        }
    }

    // Same number of members, and no member occurs more often here than in
    // other (counted with each side's own equality).
    bool operator==(const RWHashTable& other) const;
    bool operator!=(const RWHashTable& other) const { return !(*this == other); }

protected:
    friend class RWHashTableIterator;

    // The bucket of a (non-null) object.
    virtual size_t BucketIndex(const RWCollectable* object) const;
    // A fresh empty set that collapses members the way OccurrencesOf counts
    // them, used to compare two tables member by member.
    virtual RWHashTable* NewDistinctSet(size_t buckets) const;

    RWSlistCollectables* Bucket(size_t i) const { return static_cast<RWSlistCollectables*>(table_(i)); }
    // The object's bucket list, created when missing.
    RWSlistCollectables& BucketFor(const RWCollectable* object);
    // Appends without looking for equal members.
    RWCollectable* AddToBucket(RWCollectable* object);
    // Counts a member taken out of a bucket (by this table or an iterator).
    void MemberRemoved() { --entries_; }
    // During a restore: doubles the bucket count once the members outnumber
    // the buckets (members keep their order within the new buckets).
    void GrowWhileRestoring();

private:
    static void InsertRestored(RWCollectionBase& collection, RWCollectable* member, uint32_t entry);
    static bool EqualOccurrences(const RWCollectionBase& self, const RWCollectable* other);
    void CopyBuckets(const RWHashTable& other);

    RWPtrVector table_;
    uint32_t entries_ = 0;
};
