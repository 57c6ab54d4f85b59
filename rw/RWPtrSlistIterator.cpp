#include "rw/RWPtrSlistIterator.h"

namespace {
bool SameItem(const void* item, const void* argument) {
    return item == argument;
}

void* ItemOf(RWIntrusiveSlistLink* link) {
    return link != nullptr ? static_cast<RWPtrSlist::Link*>(link)->item : nullptr;
}
} // namespace

void* RWPtrSlistIterator::Advance(size_t n) {
    return ItemOf(core_.Advance(n));
}

void* RWPtrSlistIterator::FindNext(RWPtrSlistTester tester, const void* argument) {
    for (RWIntrusiveSlistLink* link = core_.Advance(); link != nullptr; link = core_.Advance()) {
        void* item = ItemOf(link);
        if (tester(item, argument)) return item;
    }
    return nullptr;
}

void* RWPtrSlistIterator::FindNext(const void* item) {
    return FindNext(&SameItem, item);
}

void* RWPtrSlistIterator::Key() const {
    return ItemOf(core_.Key());
}

void RWPtrSlistIterator::InsertAfterPoint(void* item) {
    auto* link = new RWPtrSlist::Link;
    link->item = item;
    core_.InsertAfterPoint(link);
}

void* RWPtrSlistIterator::RemoveNext(RWPtrSlistTester tester, const void* argument) {
    RWIntrusiveSlist& core = list_->Core();
    RWIntrusiveSlistLink* tail = core.Tail();
    for (RWIntrusiveSlistLink* p = core_.Position(); p != tail && p->next != tail; p = p->next) {
        void* item = ItemOf(p->next);
        if (!tester(item, argument)) continue;
        delete static_cast<RWPtrSlist::Link*>(core.RemoveAfterLink(p));
        core_.SetPosition(p);
        return item;
    }
    return nullptr;
}

void* RWPtrSlistIterator::RemoveNext(const void* item) {
    return RemoveNext(&SameItem, item);
}

void* RWPtrSlistIterator::RemoveCurrent() {
    RWIntrusiveSlistLink* link = core_.RemoveCurrent();
    if (link == nullptr) return nullptr;
    void* item = ItemOf(link);
    delete static_cast<RWPtrSlist::Link*>(link);
    return item;
}
