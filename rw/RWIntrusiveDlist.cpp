#include "rw/RWIntrusiveDlist.h"

#include "rw/RWDefs.h"
#include "rw/RWErrorHandler.h"

void RWIntrusiveDlist::Init() {
    head_.next = &tail_;
    head_.previous = &head_;
    tail_.next = &tail_;
    tail_.previous = &head_;
    count_ = 0;
}

void RWIntrusiveDlist::InsertAfterLink(RWIntrusiveDlistLink* after, RWIntrusiveDlistLink* link) {
    // Nothing may follow the tail sentinel.
    if (after == nullptr || link == nullptr || after == &tail_) return;
    link->next = after->next;
    link->previous = after;
    after->next = link;
    link->next->previous = link;
    ++count_;
}

void RWIntrusiveDlist::IndexCheck(size_t i, size_t limit) const {
    if (i < limit) return;
    RWThrowIndexError(i == 0xFFFFFFFFu ? RW_NPOS : i, count_);
}

RWIntrusiveDlistLink* RWIntrusiveDlist::At(size_t i) const {
    IndexCheck(i, count_);
    RWIntrusiveDlistLink* p = head_.next;
    while (i-- != 0)
        p = p->next;
    return p;
}

void RWIntrusiveDlist::InsertAt(size_t i, RWIntrusiveDlistLink* link) {
    IndexCheck(i, count_ + 1);
    InsertAfterLink(i == count_ ? tail_.previous : At(i)->previous, link);
}

RWIntrusiveDlistLink* RWIntrusiveDlist::RemoveAt(size_t i) {
    IndexCheck(i, count_);
    return RemoveReference(At(i));
}

RWIntrusiveDlistLink* RWIntrusiveDlist::RemoveReference(RWIntrusiveDlistLink* link) {
    if (link == nullptr || link == &head_ || link == &tail_) return nullptr;
    link->previous->next = link->next;
    link->next->previous = link->previous;
    link->next = nullptr;
    link->previous = nullptr;
    --count_;
    return link;
}

bool RWIntrusiveDlist::ContainsReference(const RWIntrusiveDlistLink* link) const {
    if (link == nullptr) return false;
    for (const RWIntrusiveDlistLink* p = head_.next; p != &tail_; p = p->next) {
        if (p == link) return true;
    }
    return false;
}
