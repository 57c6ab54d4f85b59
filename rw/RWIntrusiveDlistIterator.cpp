#include "rw/RWIntrusiveDlistIterator.h"

RWIntrusiveDlistLink* RWIntrusiveDlistIterator::Advance(size_t n) {
    RWIntrusiveDlistLink* tail = list_->Tail();
    while (n-- != 0 && current_ != tail)
        current_ = current_->next;
    return current_ == tail ? nullptr : current_;
}

RWIntrusiveDlistLink* RWIntrusiveDlistIterator::Retreat(size_t n) {
    RWIntrusiveDlistLink* head = list_->Head();
    while (n-- != 0 && current_ != head)
        current_ = current_->previous;
    return current_ == head ? nullptr : current_;
}

void RWIntrusiveDlistIterator::InsertAfterPoint(RWIntrusiveDlistLink* link) {
    if (current_ == list_->Tail()) {
        list_->Append(link);
    } else {
        list_->InsertAfterLink(current_, link);
    }
}

RWIntrusiveDlistLink* RWIntrusiveDlistIterator::Remove() {
    RWIntrusiveDlistLink* removed = Key();
    if (removed == nullptr) return nullptr;
    current_ = removed->previous;
    return list_->RemoveReference(removed);
}
