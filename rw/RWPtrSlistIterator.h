#pragma once
// Walks an RWPtrSlist: {list, current link}, starting before the first item.
#include <cstddef>

#include "rw/RWIntrusiveSlistIterator.h"
#include "rw/RWPtrSlist.h"

class RWPtrSlistIterator {
public:
    explicit RWPtrSlistIterator(RWPtrSlist& list) : list_(&list), core_(list.Core()) {}

    void Reset() { core_.Reset(); }
    void Reset(RWPtrSlist& list) {
        list_ = &list;
        core_.Reset(list.Core());
    }

    // Moves n items on; the item reached, null past the end.
    void* Advance(size_t n = 1);
    // Moves on to the next item passing tester (or the next that is exactly
    // item); null, at the end, when none.
    void* FindNext(RWPtrSlistTester tester, const void* argument);
    void* FindNext(const void* item);
    // The current item; null before the first and past the last.
    void* Key() const;

    // Inserts item after the current position (at the front before the first
    // item, at the end past the last).
    void InsertAfterPoint(void* item);
    // Unlinks the next item after the current position that passes tester
    // (or is exactly item) and returns it; the position stays in front of
    // whatever followed it. Null when none.
    void* RemoveNext(RWPtrSlistTester tester, const void* argument);
    void* RemoveNext(const void* item);
    // Unlinks the current item and returns it; the position moves back to the
    // item before. Null before the first item and past the last.
    void* RemoveCurrent();

    RWPtrSlist& List() const { return *list_; }

private:
    RWPtrSlist* list_;
    RWIntrusiveSlistIterator core_;
};
