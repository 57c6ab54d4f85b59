#pragma once
// The core of an intrusive doubly-linked list. The list never allocates or
// frees anything: clearing it forgets its records.
//
// Layout: two sentinels inside the list object. Empty: head.next is the
// tail, head.previous the head itself, tail.next the tail itself and
// tail.previous the head. The first record is head.next, the last
// tail.previous. A list is neither copied nor moved (the sentinels would
// be left behind).
#include <cstddef>

#include "rw/RWIntrusiveDlistLink.h"

class RWIntrusiveDlist {
public:
    RWIntrusiveDlist() { Init(); }
    RWIntrusiveDlist(const RWIntrusiveDlist&) = delete;
    RWIntrusiveDlist& operator=(const RWIntrusiveDlist&) = delete;

    // Empties the list; the records' own links are not touched.
    void Init();
    void Clear() { Init(); }

    size_t Entries() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }

    RWIntrusiveDlistLink* Head() { return &head_; }
    const RWIntrusiveDlistLink* Head() const { return &head_; }
    RWIntrusiveDlistLink* Tail() { return &tail_; }
    const RWIntrusiveDlistLink* Tail() const { return &tail_; }
    // The first and last records, null when the list is empty.
    RWIntrusiveDlistLink* First() const { return count_ != 0 ? head_.next : nullptr; }
    RWIntrusiveDlistLink* Last() const { return count_ != 0 ? tail_.previous : nullptr; }

    // link.next = after.next, link.previous = after, after.next = link, the
    // new next's previous = link. Null arguments, and inserting after the
    // tail sentinel, do nothing.
    void InsertAfterLink(RWIntrusiveDlistLink* after, RWIntrusiveDlistLink* link);
    void Append(RWIntrusiveDlistLink* link) { InsertAfterLink(tail_.previous, link); }
    void Prepend(RWIntrusiveDlistLink* link) { InsertAfterLink(&head_, link); }

    // The record at index i (0 = first); INDEXERR (i, count), or NPOSINDEX
    // for the no-position value, when i is not below the count.
    RWIntrusiveDlistLink* At(size_t i) const;
    // Inserts so that link gets index i; i = count appends; above: INDEXERR.
    void InsertAt(size_t i, RWIntrusiveDlistLink* link);
    // Unlinks and returns the record at index i.
    RWIntrusiveDlistLink* RemoveAt(size_t i);

    // Unlinks a link known to be in the list (its neighbours are joined) and
    // returns it; null gives null, and so do the sentinels.
    RWIntrusiveDlistLink* RemoveReference(RWIntrusiveDlistLink* link);
    // Whether walking from the first record reaches link before the tail.
    bool ContainsReference(const RWIntrusiveDlistLink* link) const;

private:
    void IndexCheck(size_t i, size_t limit) const;

    RWIntrusiveDlistLink head_;
    RWIntrusiveDlistLink tail_;
    size_t count_ = 0;
};
