#include "rw/RWPtrSlist.h"

#include "rw/RWDefs.h"
#include "rw/RWErrorHandler.h"

template <typename Item> RWPtrSlistOf<Item>::RWPtrSlistOf(const RWPtrSlistOf& other) : RWPtrSlistOf() {
    *this = other;
}

template <typename Item> RWPtrSlistOf<Item>& RWPtrSlistOf<Item>::operator=(const RWPtrSlistOf& other) {
    if (this == &other) return *this;
    Clear();
    other.ForEach([this](Item* item) {
        Append(item);
        return true;
    });
    return *this;
}

template <typename Item> auto RWPtrSlistOf<Item>::NewLink(Item* item) -> Link* {
    Link* link = new Link;
    link->item = item;
    return link;
}

template <typename Item> void RWPtrSlistOf<Item>::Clear() {
    RWIntrusiveSlistLink* p = list_.Head()->next;
    while (p != list_.Tail()) {
        RWIntrusiveSlistLink* next = p->next;
        delete static_cast<Link*>(p);
        p = next;
    }
    list_.Clear();
}

template <typename Item> void RWPtrSlistOf<Item>::Append(Item* item) {
    list_.Append(NewLink(item));
}

template <typename Item> void RWPtrSlistOf<Item>::Prepend(Item* item) {
    list_.Prepend(NewLink(item));
}

template <typename Item> void RWPtrSlistOf<Item>::InsertAt(size_t i, Item* item) {
    if (i > list_.Entries()) RWThrowIndexError(i, list_.Entries());
    list_.InsertAt(i, NewLink(item));
}

template <typename Item> void RWPtrSlistOf<Item>::InsertAfter(size_t i, Item* item) {
    if (i >= list_.Entries()) RWThrowIndexError(i, list_.Entries());
    list_.InsertAfterLink(list_.At(i), NewLink(item));
}

template <typename Item> Item* RWPtrSlistOf<Item>::First() const {
    const RWIntrusiveSlistLink* p = list_.First();
    return p != nullptr ? static_cast<const Link*>(p)->item : nullptr;
}

template <typename Item> Item* RWPtrSlistOf<Item>::Last() const {
    const RWIntrusiveSlistLink* p = list_.Last();
    return p != nullptr ? static_cast<const Link*>(p)->item : nullptr;
}

template <typename Item> Item* RWPtrSlistOf<Item>::Find(Tester tester, const void* argument) const {
    Item* found = nullptr;
    ForEach([&](Item* item) {
        if (!tester(item, argument)) return true;
        found = item;
        return false;
    });
    return found;
}

template <typename Item> size_t RWPtrSlistOf<Item>::Index(Tester tester, const void* argument) const {
    size_t index = 0;
    size_t found = RW_NPOS;
    ForEach([&](Item* item) {
        if (tester(item, argument)) {
            found = index;
            return false;
        }
        ++index;
        return true;
    });
    return found;
}

template <typename Item> size_t RWPtrSlistOf<Item>::Occurrences(Tester tester, const void* argument) const {
    size_t count = 0;
    ForEach([&](Item* item) {
        if (tester(item, argument)) ++count;
        return true;
    });
    return count;
}

template <typename Item>
RWIntrusiveSlistLink* RWPtrSlistOf<Item>::PredecessorOf(Tester tester, const void* argument) {
    for (RWIntrusiveSlistLink* p = list_.Head(); p->next != list_.Tail(); p = p->next) {
        if (tester(static_cast<Link*>(p->next)->item, argument)) return p;
    }
    return nullptr;
}

template <typename Item> Item* RWPtrSlistOf<Item>::Remove(Tester tester, const void* argument) {
    RWIntrusiveSlistLink* pred = PredecessorOf(tester, argument);
    if (pred == nullptr) return nullptr;
    Link* link = static_cast<Link*>(list_.RemoveAfterLink(pred));
    Item* item = link->item;
    delete link;
    return item;
}

template <typename Item> Item* RWPtrSlistOf<Item>::RemoveFirst() {
    Link* link = static_cast<Link*>(list_.RemoveAfterLink(list_.Head()));
    if (link == nullptr) return nullptr;
    Item* item = link->item;
    delete link;
    return item;
}

namespace {
template <typename Item> bool SameItem(const Item* item, const void* argument) {
    return item == argument;
}
} // namespace

template <typename Item> bool RWPtrSlistOf<Item>::ContainsReference(const void* item) const {
    return Index(&SameItem<Item>, item) != RW_NPOS;
}

template <typename Item> Item* RWPtrSlistOf<Item>::RemoveReference(const void* item) {
    return Remove(&SameItem<Item>, item);
}

template <typename Item> void RWPtrSlistOf<Item>::Apply(ApplyFunction function, void* argument) const {
    ForEach([&](Item* item) {
        function(item, argument);
        return true;
    });
}

template class RWPtrSlistOf<void>;
template class RWPtrSlistOf<RWCollectable>;
