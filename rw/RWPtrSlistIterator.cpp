#include "rw/RWPtrSlistIterator.h"

namespace {
template <typename Item> bool SameIteratorItem(const Item* item, const void* argument) {
    return item == argument;
}

template <typename Item> Item* ItemOf(RWIntrusiveSlistLink* link) {
    return link != nullptr ? static_cast<typename RWPtrSlistOf<Item>::Link*>(link)->item : nullptr;
}
} // namespace

template <typename Item> Item* RWPtrSlistIteratorOf<Item>::Advance(size_t n) {
    return ItemOf<Item>(core_.Advance(n));
}

template <typename Item> Item* RWPtrSlistIteratorOf<Item>::FindNext(Tester tester, const void* argument) {
    for (RWIntrusiveSlistLink* link = core_.Advance(); link != nullptr; link = core_.Advance()) {
        Item* item = ItemOf<Item>(link);
        if (tester(item, argument)) return item;
    }
    return nullptr;
}

template <typename Item> Item* RWPtrSlistIteratorOf<Item>::FindNext(const void* item) {
    return FindNext(&SameIteratorItem<Item>, item);
}

template <typename Item> Item* RWPtrSlistIteratorOf<Item>::Key() const {
    return ItemOf<Item>(core_.Key());
}

template <typename Item> void RWPtrSlistIteratorOf<Item>::InsertAfterPoint(Item* item) {
    auto* link = new typename ListType::Link;
    link->item = item;
    core_.InsertAfterPoint(link);
}

template <typename Item> Item* RWPtrSlistIteratorOf<Item>::RemoveNext(Tester tester, const void* argument) {
    RWIntrusiveSlist& core = list_->Core();
    RWIntrusiveSlistLink* tail = core.Tail();
    for (RWIntrusiveSlistLink* p = core_.Position(); p != tail && p->next != tail; p = p->next) {
        Item* item = ItemOf<Item>(p->next);
        if (!tester(item, argument)) continue;
        delete static_cast<typename ListType::Link*>(core.RemoveAfterLink(p));
        core_.SetPosition(p);
        return item;
    }
    return nullptr;
}

template <typename Item> Item* RWPtrSlistIteratorOf<Item>::RemoveNext(const void* item) {
    return RemoveNext(&SameIteratorItem<Item>, item);
}

template <typename Item> Item* RWPtrSlistIteratorOf<Item>::RemoveCurrent() {
    RWIntrusiveSlistLink* link = core_.RemoveCurrent();
    if (link == nullptr) return nullptr;
    Item* item = ItemOf<Item>(link);
    delete static_cast<typename ListType::Link*>(link);
    return item;
}

template class RWPtrSlistIteratorOf<void>;
template class RWPtrSlistIteratorOf<RWCollectable>;
