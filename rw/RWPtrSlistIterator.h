#pragma once
// Walks an RWPtrSlist (or a list over a pointer type of its own,
// RWPtrSlistOf): {list, current link}, starting before the first item.
#include <cstddef>

#include "rw/RWIntrusiveSlistIterator.h"
#include "rw/RWPtrSlist.h"

template <typename Item> class RWPtrSlistIteratorOf {
public:
    using ListType = RWPtrSlistOf<Item>;
    using Tester = typename ListType::Tester;

    explicit RWPtrSlistIteratorOf(ListType& list) : list_(&list), core_(list.Core()) {}

    void Reset() { core_.Reset(); }
    void Reset(ListType& list) {
        list_ = &list;
        core_.Reset(list.Core());
    }

    // Moves n items on; the item reached, null past the end.
    Item* Advance(size_t n = 1);
    // Moves on to the next item passing tester (or the next that is exactly
    // item); null, at the end, when none.
    Item* FindNext(Tester tester, const void* argument);
    Item* FindNext(const void* item);
    // The current item; null before the first and past the last.
    Item* Key() const;

    // Inserts item after the current position (at the front before the first
    // item, at the end past the last).
    void InsertAfterPoint(Item* item);
    // Unlinks the next item after the current position that passes tester
    // (or is exactly item) and returns it; the position stays in front of
    // whatever followed it. Null when none.
    Item* RemoveNext(Tester tester, const void* argument);
    Item* RemoveNext(const void* item);
    // Unlinks the current item and returns it; the position moves back to the
    // item before. Null before the first item and past the last.
    Item* RemoveCurrent();

    ListType& List() const { return *list_; }

private:
    ListType* list_;
    RWIntrusiveSlistIterator core_;
};

extern template class RWPtrSlistIteratorOf<void>;
extern template class RWPtrSlistIteratorOf<RWCollectable>;

using RWPtrSlistIterator = RWPtrSlistIteratorOf<void>;
