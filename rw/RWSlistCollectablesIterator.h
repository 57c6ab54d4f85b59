#pragma once
// Walks an RWSlistCollectables in order, starting before the first member.
// The caller owns the iterator; the list must outlive it.
#include "rw/RWPtrSlistIterator.h"
#include "rw/RWSlistCollectables.h"

class RWSlistCollectablesIterator {
public:
    explicit RWSlistCollectablesIterator(RWSlistCollectables& list) : list_(&list), links_(list.Links()) {}

    // Back before the first member.
    void Reset() { links_.Reset(); }
    // The next member, null at the end.
    RWCollectable* Advance() { return links_.Advance(); }
    RWCollectable* operator()() { return Advance(); }
    // The current member; null before the first and after the last.
    RWCollectable* Key() const { return links_.Key(); }
    // Advances to the next member IsEqual to object, null when none.
    RWCollectable* FindNext(const RWCollectable* object) {
        return links_.FindNext(&RWSlistCollectables::EqualMember, object);
    }
    // Unlinks the current member and returns it; the iterator moves back to
    // the member before. Null before the first member and past the last.
    RWCollectable* RemoveCurrent() { return links_.RemoveCurrent(); }

    RWSlistCollectables& List() const { return *list_; }

private:
    RWSlistCollectables* list_;
    RWPtrSlistIteratorOf<RWCollectable> links_;
};
