#include "rw/RWPtrSlist.h"

#include "rw/RWDefs.h"
#include "rw/RWErrorHandler.h"

RWPtrSlist::RWPtrSlist(const RWPtrSlist& other) : RWPtrSlist() {
    *this = other;
}

RWPtrSlist& RWPtrSlist::operator=(const RWPtrSlist& other) {
    if (this == &other) return *this;
    Clear();
    other.ForEach([this](void* item) {
        Append(item);
        return true;
    });
    return *this;
}

RWPtrSlist::Link* RWPtrSlist::NewLink(void* item) {
    Link* link = new Link;
    link->item = item;
    return link;
}

void RWPtrSlist::Clear() {
    RWIntrusiveSlistLink* p = list_.Head()->next;
    while (p != list_.Tail()) {
        RWIntrusiveSlistLink* next = p->next;
        delete static_cast<Link*>(p);
        p = next;
    }
    list_.Clear();
}

void RWPtrSlist::Append(void* item) {
    list_.Append(NewLink(item));
}

void RWPtrSlist::Prepend(void* item) {
    list_.Prepend(NewLink(item));
}

void RWPtrSlist::InsertAt(size_t i, void* item) {
    if (i > list_.Entries()) RWThrowIndexError(i, list_.Entries());
    list_.InsertAt(i, NewLink(item));
}

void RWPtrSlist::InsertAfter(size_t i, void* item) {
    if (i >= list_.Entries()) RWThrowIndexError(i, list_.Entries());
    list_.InsertAfterLink(list_.At(i), NewLink(item));
}

void* RWPtrSlist::First() const {
    const RWIntrusiveSlistLink* p = list_.First();
    return p != nullptr ? static_cast<const Link*>(p)->item : nullptr;
}

void* RWPtrSlist::Last() const {
    const RWIntrusiveSlistLink* p = list_.Last();
    return p != nullptr ? static_cast<const Link*>(p)->item : nullptr;
}

void* RWPtrSlist::Find(RWPtrSlistTester tester, const void* argument) const {
    void* found = nullptr;
    ForEach([&](void* item) {
        if (!tester(item, argument)) return true;
        found = item;
        return false;
    });
    return found;
}

size_t RWPtrSlist::Index(RWPtrSlistTester tester, const void* argument) const {
    size_t index = 0;
    size_t found = RW_NPOS;
    ForEach([&](void* item) {
        if (tester(item, argument)) {
            found = index;
            return false;
        }
        ++index;
        return true;
    });
    return found;
}

size_t RWPtrSlist::Occurrences(RWPtrSlistTester tester, const void* argument) const {
    size_t count = 0;
    ForEach([&](void* item) {
        if (tester(item, argument)) ++count;
        return true;
    });
    return count;
}

RWIntrusiveSlistLink* RWPtrSlist::PredecessorOf(RWPtrSlistTester tester, const void* argument) {
    for (RWIntrusiveSlistLink* p = list_.Head(); p->next != list_.Tail(); p = p->next) {
        if (tester(static_cast<Link*>(p->next)->item, argument)) return p;
    }
    return nullptr;
}

void* RWPtrSlist::Remove(RWPtrSlistTester tester, const void* argument) {
    RWIntrusiveSlistLink* pred = PredecessorOf(tester, argument);
    if (pred == nullptr) return nullptr;
    Link* link = static_cast<Link*>(list_.RemoveAfterLink(pred));
    void* item = link->item;
    delete link;
    return item;
}

void* RWPtrSlist::RemoveFirst() {
    Link* link = static_cast<Link*>(list_.RemoveAfterLink(list_.Head()));
    if (link == nullptr) return nullptr;
    void* item = link->item;
    delete link;
    return item;
}

namespace {
bool SameItem(const void* item, const void* argument) {
    return item == argument;
}
} // namespace

bool RWPtrSlist::ContainsReference(const void* item) const {
    return Index(&SameItem, item) != RW_NPOS;
}

void* RWPtrSlist::RemoveReference(const void* item) {
    return Remove(&SameItem, item);
}

void RWPtrSlist::Apply(RWPtrSlistApply function, void* argument) const {
    ForEach([&](void* item) {
        function(item, argument);
        return true;
    });
}
