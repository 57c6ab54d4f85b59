#pragma once
// A singly-linked list of pointers over the intrusive list core. A link
// {next, item} is allocated for each insertion and freed at removal; the
// items are never freed by the list.
//
// RWPtrSlist holds untyped pointers. The same list over a pointer type of
// its own (RWPtrSlistOf<RWCollectable> for the collectable list) keeps each
// item as that type, so a slot can be handed out as a reference of that
// type without reinterpreting an untyped one.
#include <cstddef>

#include "rw/RWIntrusiveSlist.h"

class RWCollectable;

template <typename Item> class RWPtrSlistOf {
public:
    // Decides whether an item is the one sought (argument: what is sought).
    using Tester = bool (*)(const Item* item, const void* argument);
    // Called on every item by Apply.
    using ApplyFunction = void (*)(Item* item, void* argument);

    struct Link : RWIntrusiveSlistLink {
        Item* item = nullptr;
    };

    RWPtrSlistOf() = default;
    // A list of new links holding the same items.
    RWPtrSlistOf(const RWPtrSlistOf& other);
    RWPtrSlistOf& operator=(const RWPtrSlistOf& other);
    ~RWPtrSlistOf() { Clear(); }

    // Frees every link; the items are untouched.
    void Clear();
    size_t Entries() const { return list_.Entries(); }
    bool IsEmpty() const { return list_.IsEmpty(); }

    void Append(Item* item);
    void Prepend(Item* item);
    // Inserts so that item gets index i; i may equal the count (the end).
    // INDEXERR / NPOSINDEX above it.
    void InsertAt(size_t i, Item* item);
    // Inserts a new link after link i; INDEXERR / NPOSINDEX unless i is below
    // the count.
    void InsertAfter(size_t i, Item* item);

    // The item at i, checked as InsertAfter.
    Item* At(size_t i) const { return LinkAt(i)->item; }
    Item*& At(size_t i) { return LinkAt(i)->item; }
    // First and last items, null when the list is empty.
    Item* First() const;
    Item* Last() const;

    // The first item passing tester, null when none.
    Item* Find(Tester tester, const void* argument) const;
    // Index of the first item passing tester, RW_NPOS when none.
    size_t Index(Tester tester, const void* argument) const;
    size_t Occurrences(Tester tester, const void* argument) const;
    // Unlinks the first item passing tester and returns it, null when none.
    Item* Remove(Tester tester, const void* argument);
    Item* RemoveFirst();

    // Item identity (the pointer itself).
    bool ContainsReference(const void* item) const;
    // Unlinks the first link holding exactly item; null when none.
    Item* RemoveReference(const void* item);

    void Apply(ApplyFunction function, void* argument) const;

    // Walks the links in order; stops early when visit returns false.
    template <typename Visit> void ForEach(Visit visit) const {
        for (const RWIntrusiveSlistLink* p = list_.First(); p != nullptr && p != list_.Tail(); p = p->next) {
            if (!visit(static_cast<const Link*>(p)->item)) return;
        }
    }

    RWIntrusiveSlist& Core() { return list_; }
    const RWIntrusiveSlist& Core() const { return list_; }

private:
    Link* LinkAt(size_t i) const { return static_cast<Link*>(list_.At(i)); }
    static Link* NewLink(Item* item);
    // The link before the first item passing tester (the head for the
    // first), null when none.
    RWIntrusiveSlistLink* PredecessorOf(Tester tester, const void* argument);

    RWIntrusiveSlist list_;
};

extern template class RWPtrSlistOf<void>;
extern template class RWPtrSlistOf<RWCollectable>;

// The untyped list.
using RWPtrSlist = RWPtrSlistOf<void>;
using RWPtrSlistTester = RWPtrSlist::Tester;
using RWPtrSlistApply = RWPtrSlist::ApplyFunction;
