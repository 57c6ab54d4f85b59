#include "rw/RWIntrusiveSlist.h"

#include "rw/RWDefs.h"
#include "rw/RWErrorHandler.h"

RWIntrusiveSlist::RWIntrusiveSlist(RWIntrusiveSlistLink* link) {
    Init();
    InsertAfterLink(&head_, link);
}

void RWIntrusiveSlist::Init() {
    head_.next = &tail_;
    tail_.next = &tail_;
    last_ = &head_;
    count_ = 0;
}

void RWIntrusiveSlist::InsertAfterLink(RWIntrusiveSlistLink* pred, RWIntrusiveSlistLink* link) {
    if (pred == nullptr || link == nullptr || pred == &tail_) return;
    link->next = pred->next;
    pred->next = link;
    if (pred == last_) last_ = link;
    ++count_;
}

RWIntrusiveSlistLink* RWIntrusiveSlist::RemoveAfterLink(RWIntrusiveSlistLink* pred) {
    // Past the last node is only the sentinel: unlinking it would cut the
    // list loose from its end marker.
    if (pred == nullptr || pred == &tail_ || pred->next == &tail_) return nullptr;
    RWIntrusiveSlistLink* link = pred->next;
    pred->next = link->next;
    if (link == last_) last_ = pred;
    --count_;
    return link;
}

void RWIntrusiveSlist::IndexCheck(size_t i, size_t limit) const {
    if (i < limit) return;
    RWThrowIndexError(i == 0xFFFFFFFFu ? RW_NPOS : i, count_);
}

RWIntrusiveSlistLink* RWIntrusiveSlist::LinkBefore(size_t i) {
    RWIntrusiveSlistLink* p = &head_;
    while (i-- != 0)
        p = p->next;
    return p;
}

RWIntrusiveSlistLink* RWIntrusiveSlist::At(size_t i) const {
    IndexCheck(i, count_);
    RWIntrusiveSlistLink* p = head_.next;
    while (i-- != 0)
        p = p->next;
    return p;
}

void RWIntrusiveSlist::InsertAt(size_t i, RWIntrusiveSlistLink* link) {
    IndexCheck(i, count_ + 1);
    InsertAfterLink(i == count_ ? last_ : LinkBefore(i), link);
}

RWIntrusiveSlistLink* RWIntrusiveSlist::RemoveAt(size_t i) {
    IndexCheck(i, count_);
    return RemoveAfterLink(LinkBefore(i));
}

bool RWIntrusiveSlist::ContainsReference(const RWIntrusiveSlistLink* link) const {
    if (link == nullptr) return false;
    for (const RWIntrusiveSlistLink* p = head_.next; p != &tail_; p = p->next) {
        if (p == link) return true;
    }
    return false;
}

RWIntrusiveSlistLink* RWIntrusiveSlist::FindPrevious(const RWIntrusiveSlistLink* link) {
    if (link == nullptr) return nullptr;
    for (RWIntrusiveSlistLink* p = &head_; p != &tail_; p = p->next) {
        if (p->next == link) return p;
    }
    return nullptr;
}

RWIntrusiveSlistLink* RWIntrusiveSlist::RemoveReference(RWIntrusiveSlistLink* link) {
    if (link == nullptr || link == &tail_ || link == &head_) return nullptr;
    // The sentinel's next is aimed at the link, so the walk below always
    // stops: at the link's predecessor, or at the sentinel when it is absent.
    tail_.next = link;
    RWIntrusiveSlistLink* p = &head_;
    while (p->next != link)
        p = p->next;
    RWIntrusiveSlistLink* result = nullptr;
    if (p != &tail_) {
        p->next = link->next;
        link->next = nullptr;
        if (link == last_) last_ = p;
        --count_;
        result = link;
    }
    tail_.next = &tail_;
    return result;
}
