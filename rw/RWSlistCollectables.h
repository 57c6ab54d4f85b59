#pragma once
// A singly-linked list of collectables (class id 0x8033, registered as
// "RWSlistCollectables"). Insert appends; members are found, counted and
// removed by their own IsEqual. The list holds its members, never owns them.
#include <cstddef>

#include "rw/RWPtrSlist.h"
#include "rw/RWSequencedCollectionBase.h"

constexpr RWClassID __RWSLISTCOLLECTABLES = 0x8033;

class RWSlistCollectables : public RWSequencedCollectionBase {
public:
    RWSlistCollectables() = default;
    // A list holding one member.
    explicit RWSlistCollectables(RWCollectable* object);
    RWSlistCollectables(const RWSlistCollectables&) = default;
    RWSlistCollectables& operator=(const RWSlistCollectables&) = default;
    ~RWSlistCollectables() override = default;

    static RWCollectable* CreateInstance();

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // Same class id, same number of members, pairwise IsEqual in order.
    bool IsEqual(const RWCollectable* other) const override;

    void Apply(RWApplyCollectable function, void* argument) const override;
    void Clear() override;
    size_t Entries() const override;
    RWCollectable* Find(const RWCollectable* object) const override;
    RWCollectable* Insert(RWCollectable* object) override;
    bool IsEmpty() const override;
    size_t OccurrencesOf(const RWCollectable* object) const override;
    RWCollectable* Remove(const RWCollectable* object) override;

    RWCollectable* Append(RWCollectable* object) override;
    RWCollectable* At(size_t index) const override;
    RWCollectable*& At(size_t index) override;
    RWCollectable* First() const override;
    size_t Index(const RWCollectable* object) const override;
    RWCollectable* InsertAt(size_t index, RWCollectable* object) override;
    RWCollectable* Last() const override;
    RWCollectable* Prepend(RWCollectable* object) override;
    RWCollectable* InsertAfter(size_t index, RWCollectable* object) override;

    // By address rather than IsEqual (the identity set's buckets).
    bool ContainsReference(const RWCollectable* object) const;
    RWCollectable* RemoveReference(const RWCollectable* object);
    // Unlinks and returns the first member, null when empty.
    RWCollectable* RemoveFirst();

    // The links keep each member as a collectable pointer, so At hands out
    // a slot of that very type.
    using LinkList = RWPtrSlistOf<RWCollectable>;
    LinkList& Links() { return list_; }
    const LinkList& Links() const { return list_; }

    // The members in order; stops early when visit returns false.
    template <typename Visit> void ForEach(Visit visit) const { list_.ForEach(visit); }

    // The walks' equality: item IsEqual to argument; a null member matches
    // only a null argument.
    static bool EqualTester(const void* item, const void* argument);
    // The same as the links' tester.
    static bool EqualMember(const RWCollectable* member, const void* argument);

private:
    static bool SameMembers(const RWCollectionBase& self, const RWCollectable* other);

    LinkList list_;
};
