#pragma once
// Walks an intrusive singly-linked list: {list, current link}. The current
// link starts at the list's head (before the first node); running past the
// last node leaves it on the tail sentinel (the end marker).
#include <cstddef>

#include "rw/RWIntrusiveSlist.h"

class RWIntrusiveSlistIterator {
public:
    explicit RWIntrusiveSlistIterator(RWIntrusiveSlist& list) { Reset(list); }

    // Back before the first node of the same list, or of another list.
    void Reset() { current_ = list_->Head(); }
    void Reset(RWIntrusiveSlist& list) {
        list_ = &list;
        Reset();
    }

    // Moves n links on; the node reached, or null when the walk ran past the
    // last node (the iterator then stays on the end marker).
    RWIntrusiveSlistLink* Advance(size_t n = 1);

    bool AtFirst() const { return !list_->IsEmpty() && current_ == list_->First(); }
    bool AtLast() const { return !list_->IsEmpty() && current_ == list_->Last(); }
    // To the first node (the end marker when the list is empty).
    void ToFirst() { current_ = list_->Head()->next; }
    // To the last node (the end marker when the list is empty).
    void ToLast() { current_ = list_->IsEmpty() ? list_->Tail() : list_->Last(); }

    // Inserts link after the current one; at the end marker it is appended.
    void InsertAfterPoint(RWIntrusiveSlistLink* link);
    // Unlinks the current node and moves back to its predecessor. Null
    // before the first node or at the end marker.
    RWIntrusiveSlistLink* RemoveCurrent();

    // The current node; null before the first node and at the end marker.
    RWIntrusiveSlistLink* Key() const {
        return current_ == list_->Head() || current_ == list_->Tail() ? nullptr : current_;
    }
    RWIntrusiveSlist& List() const { return *list_; }
    // The raw position (the head, a node or the end marker).
    RWIntrusiveSlistLink* Position() const { return current_; }
    void SetPosition(RWIntrusiveSlistLink* link) { current_ = link; }

private:
    RWIntrusiveSlist* list_ = nullptr;
    RWIntrusiveSlistLink* current_ = nullptr;
};
