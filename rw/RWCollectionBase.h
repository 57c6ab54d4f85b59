#pragma once
// The collection interface shared by every collection of the class library.
//
// Collections hold pointers to collectable objects without owning them: only
// ClearAndDestroy and RemoveAndDestroy delete members, and they delete each
// distinct object once, however often it is held. Members are compared with
// their own IsEqual (the identity set compares addresses).
//
// Guts on both carriers: the member count (32-bit), then every member in
// Apply order as an object pointer of the object graph. The library's
// collections write no version word.
#include <cstddef>
#include <cstdint>

#include "rw/RWCarrier.h"
#include "rw/RWCollectable.h"

// Both abstract collection bases answer IsA with this id; neither is
// registered with the factory.
constexpr RWClassID __RWCOLLECTION = 0x801D;

// Called on every member by Apply.
using RWApplyCollectable = void (*)(RWCollectable* item, void* argument);

class RWCollectionBase : public RWCollectable {
public:
    RWCollectionBase() = default;
    RWCollectionBase(const RWCollectionBase&) = default;
    RWCollectionBase& operator=(const RWCollectionBase&) = default;

    RWClassID IsA() const override;
    // 4 for the count plus the recursive store size of every member.
    uint32_t BinaryStoreSize() const override;
    // Restore: Clear, then read the count and restore up to that many
    // members while the source stays good; null members are skipped. The
    // members are inserted only once all of them were read: a source that
    // fails part way fails the whole restore, which frees what it made.
    RW_DECLARE_GUTS()

    // The collection operations, in the order every collection provides them.
    virtual void Apply(RWApplyCollectable function, void* argument) const = 0;
    // Forgets every member; the members themselves are untouched.
    virtual void Clear() = 0;
    // Deletes every distinct member once, then clears.
    virtual void ClearAndDestroy();
    virtual bool Contains(const RWCollectable* object) const;
    virtual size_t Entries() const = 0;
    virtual RWCollectable* Find(const RWCollectable* object) const = 0;
    virtual RWCollectable* Insert(RWCollectable* object) = 0;
    virtual bool IsEmpty() const;
    virtual size_t OccurrencesOf(const RWCollectable* object) const = 0;
    virtual RWCollectable* Remove(const RWCollectable* object) = 0;
    // Remove, then deletes the removed member when there was one.
    virtual void RemoveAndDestroy(const RWCollectable* object);

protected:
    // How a restore hands each restored member to the collection: entry is
    // the member's entry in the running graph restore's read table (0 when
    // the member was restored on its own, outside any graph).
    using RestoredMemberSink = void (*)(RWCollectionBase& collection, RWCollectable* member, uint32_t entry);

    // Reads the count and up to that many members, stopping as soon as the
    // source is no longer good; when all were read, hands every non-null
    // member to sink. The count only bounds the loop: nothing is allocated
    // from it.
    void RestoreMembers(RWVirtualInStream& stream, RestoredMemberSink sink);
    void RestoreMembers(RWBinaryFile& file, RestoredMemberSink sink);

    // Equality of two collections whose members refer back to the pair being
    // compared (cyclic graphs) is settled as equal instead of recursing
    // without end: CompareOnce runs test unless (this, other) is already
    // being compared further up on this thread.
    bool CompareOnce(const RWCollectable* other,
                     bool (*test)(const RWCollectionBase& self, const RWCollectable* other)) const;
};
