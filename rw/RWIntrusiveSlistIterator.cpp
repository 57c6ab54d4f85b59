#include "rw/RWIntrusiveSlistIterator.h"

RWIntrusiveSlistLink* RWIntrusiveSlistIterator::Advance(size_t n) {
    RWIntrusiveSlistLink* tail = list_->Tail();
    while (n-- != 0 && current_ != tail)
        current_ = current_->next;
    return current_ == tail ? nullptr : current_;
}

void RWIntrusiveSlistIterator::InsertAfterPoint(RWIntrusiveSlistLink* link) {
    // Nothing may follow the end marker.
    if (current_ == list_->Tail()) {
        list_->Append(link);
    } else {
        list_->InsertAfterLink(current_, link);
    }
}

RWIntrusiveSlistLink* RWIntrusiveSlistIterator::RemoveCurrent() {
    if (Key() == nullptr) return nullptr;
    RWIntrusiveSlistLink* pred = list_->FindPrevious(current_);
    if (pred == nullptr) return nullptr;
    RWIntrusiveSlistLink* removed = list_->RemoveAfterLink(pred);
    current_ = pred;
    return removed;
}
