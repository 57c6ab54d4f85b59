#pragma once
// A singly-linked list of untyped pointers over the intrusive list core. A
// link {next, item} is allocated for each insertion and freed at removal;
// the items are never freed by the list.
#include <cstddef>

#include "rw/RWIntrusiveSlist.h"

// Decides whether an item is the one sought (argument: what is sought).
using RWPtrSlistTester = bool (*)(const void* item, const void* argument);
// Called on every item by Apply.
using RWPtrSlistApply = void (*)(void* item, void* argument);

class RWPtrSlist {
public:
    struct Link : RWIntrusiveSlistLink {
        void* item = nullptr;
    };

    RWPtrSlist() = default;
    // A list of new links holding the same items.
    RWPtrSlist(const RWPtrSlist& other);
    RWPtrSlist& operator=(const RWPtrSlist& other);
    ~RWPtrSlist() { Clear(); }

    // Frees every link; the items are untouched.
    void Clear();
    size_t Entries() const { return list_.Entries(); }
    bool IsEmpty() const { return list_.IsEmpty(); }

    void Append(void* item);
    void Prepend(void* item);
    // Inserts so that item gets index i; i may equal the count (the end).
    // INDEXERR / NPOSINDEX above it.
    void InsertAt(size_t i, void* item);
    // Inserts a new link after link i; INDEXERR / NPOSINDEX unless i is below
    // the count.
    void InsertAfter(size_t i, void* item);

    // The item at i, checked as InsertAfter.
    void* At(size_t i) const { return LinkAt(i)->item; }
    void*& At(size_t i) { return LinkAt(i)->item; }
    // First and last items, null when the list is empty.
    void* First() const;
    void* Last() const;

    // The first item passing tester, null when none.
    void* Find(RWPtrSlistTester tester, const void* argument) const;
    // Index of the first item passing tester, RW_NPOS when none.
    size_t Index(RWPtrSlistTester tester, const void* argument) const;
    size_t Occurrences(RWPtrSlistTester tester, const void* argument) const;
    // Unlinks the first item passing tester and returns it, null when none.
    void* Remove(RWPtrSlistTester tester, const void* argument);
    void* RemoveFirst();

    // Item identity (the pointer itself).
    bool ContainsReference(const void* item) const;
    // Unlinks the first link holding exactly item; null when none.
    void* RemoveReference(const void* item);

    void Apply(RWPtrSlistApply function, void* argument) const;

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
    static Link* NewLink(void* item);
    // The link before the first item passing tester (the head for the
    // first), null when none.
    RWIntrusiveSlistLink* PredecessorOf(RWPtrSlistTester tester, const void* argument);

    RWIntrusiveSlist list_;
};
