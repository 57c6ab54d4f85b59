#pragma once
// The core of an intrusive singly-linked list. The list does not own its
// nodes: clearing it forgets them.
//
// Layout: head.next is the first node, or the tail sentinel when the list is
// empty; the last node's next is the tail sentinel, whose own next points to
// itself; last is the last node, or &head when the list is empty. Both head
// and sentinel live inside the list object, so a list is neither copied nor
// moved.
#include <cstddef>

#include "rw/RWIntrusiveSlistLink.h"

class RWIntrusiveSlist {
public:
    RWIntrusiveSlist() { Init(); }
    // A list holding that one link.
    explicit RWIntrusiveSlist(RWIntrusiveSlistLink* link);
    RWIntrusiveSlist(const RWIntrusiveSlist&) = delete;
    RWIntrusiveSlist& operator=(const RWIntrusiveSlist&) = delete;

    // Empties the list; the nodes are forgotten, not touched.
    void Init();
    void Clear() { Init(); }

    size_t Entries() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }

    // The head link (the predecessor of the first node) and the tail
    // sentinel (what the last node points at: the end marker).
    RWIntrusiveSlistLink* Head() { return &head_; }
    const RWIntrusiveSlistLink* Head() const { return &head_; }
    RWIntrusiveSlistLink* Tail() { return &tail_; }
    const RWIntrusiveSlistLink* Tail() const { return &tail_; }
    // The first and last nodes, null when the list is empty.
    RWIntrusiveSlistLink* First() const { return count_ != 0 ? head_.next : nullptr; }
    RWIntrusiveSlistLink* Last() const { return count_ != 0 ? last_ : nullptr; }

    // link.next = pred.next, pred.next = link; link becomes last when pred
    // was last. Null arguments do nothing.
    void InsertAfterLink(RWIntrusiveSlistLink* pred, RWIntrusiveSlistLink* link);
    void Append(RWIntrusiveSlistLink* link) { InsertAfterLink(last_, link); }
    void Prepend(RWIntrusiveSlistLink* link) { InsertAfterLink(&head_, link); }

    // Unlinks and returns pred's successor (pred becomes last when the
    // successor was last). Null when pred is null or has no successor.
    RWIntrusiveSlistLink* RemoveAfterLink(RWIntrusiveSlistLink* pred);

    // The i-th node from 0; INDEXERR (i, count) or NPOSINDEX otherwise.
    RWIntrusiveSlistLink* At(size_t i) const;
    // Inserts so that link becomes node i; i may equal the count (append).
    void InsertAt(size_t i, RWIntrusiveSlistLink* link);
    // Removes and returns node i.
    RWIntrusiveSlistLink* RemoveAt(size_t i);

    bool ContainsReference(const RWIntrusiveSlistLink* link) const;
    // The link whose next is link (the head for the first node), or null when
    // link is null or not in the list.
    RWIntrusiveSlistLink* FindPrevious(const RWIntrusiveSlistLink* link);
    // Unlinks link and returns it (its next cleared), or null when it is not
    // in the list.
    RWIntrusiveSlistLink* RemoveReference(RWIntrusiveSlistLink* link);

private:
    // The node before position i (the head for 0); i must be at most the count.
    RWIntrusiveSlistLink* LinkBefore(size_t i);
    void IndexCheck(size_t i, size_t limit) const;

    RWIntrusiveSlistLink head_;
    RWIntrusiveSlistLink tail_;
    RWIntrusiveSlistLink* last_;
    size_t count_;
};
