#pragma once
// Walks an intrusive doubly-linked list both ways: {list, current link}.
// The current link is the head sentinel before the first record and the
// tail sentinel after the last.
#include <cstddef>

#include "rw/RWIntrusiveDlist.h"

class RWIntrusiveDlistIterator {
public:
    explicit RWIntrusiveDlistIterator(RWIntrusiveDlist& list) { Reset(list); }

    // Before the first record of the same list, or of another list.
    void Reset() { current_ = list_->Head(); }
    void Reset(RWIntrusiveDlist& list) {
        list_ = &list;
        Reset();
    }

    // Moves n links forward (stopping on the tail sentinel); the record
    // reached, or null on the tail sentinel.
    RWIntrusiveDlistLink* Advance(size_t n = 1);
    // Moves n links backward (stopping on the head sentinel); the record
    // reached, or null on the head sentinel.
    RWIntrusiveDlistLink* Retreat(size_t n = 1);

    bool AtFirst() const { return !list_->IsEmpty() && current_ == list_->First(); }
    bool AtLast() const { return !list_->IsEmpty() && current_ == list_->Last(); }
    // To the first / last record; to the tail sentinel when the list is empty.
    void ToFirst() { current_ = list_->IsEmpty() ? list_->Tail() : list_->First(); }
    void ToLast() { current_ = list_->IsEmpty() ? list_->Tail() : list_->Last(); }

    // Inserts link after the current one; on the tail sentinel it is appended.
    void InsertAfterPoint(RWIntrusiveDlistLink* link);
    // Unlinks the current record, moves to its predecessor and returns it;
    // null on either sentinel.
    RWIntrusiveDlistLink* Remove();

    // The current record; null on either sentinel.
    RWIntrusiveDlistLink* Key() const {
        return current_ == list_->Head() || current_ == list_->Tail() ? nullptr : current_;
    }
    RWIntrusiveDlist& List() const { return *list_; }

private:
    RWIntrusiveDlist* list_ = nullptr;
    RWIntrusiveDlistLink* current_ = nullptr;
};
