#pragma once
// Walks a hashed collection's members across its buckets in index order.
// {table, bucket index (-1 before the first), iterator of the current bucket
// (owned)}. The table must outlive the iterator; only RemoveCurrent may
// change the table while a walk is under way.
#include <memory>

#include "rw/RWHashTable.h"
#include "rw/RWSlistCollectablesIterator.h"

class RWHashTableIterator {
public:
    explicit RWHashTableIterator(RWHashTable& table) : table_(&table) {}

    // Back before the first member.
    void Reset();
    // The next member, null at the end.
    RWCollectable* Advance();
    RWCollectable* operator()() { return Advance(); }
    // Advances to the next member equal to object (by the table's own
    // equality), null when none.
    RWCollectable* FindNext(const RWCollectable* object);
    // The current member, null before the first and at the end.
    RWCollectable* Key() const;
    // Takes the current member out of the table and returns it; the next
    // Advance gives the member that followed it. Null when there is none.
    RWCollectable* RemoveCurrent();

private:
    // Moves to the next non-empty bucket after the current one; false at
    // the end of the table.
    bool NextBucket();

    RWHashTable* table_;
    long bucket_ = -1;
    std::unique_ptr<RWSlistCollectablesIterator> iterator_;
};
