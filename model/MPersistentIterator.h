#pragma once
// The iterator protocol over a persistent object's children. A fresh
// iterator stands before the first child; the first Advance moves onto it.
// Iterators are made by CreateIterator and belong to the caller.
class MPersistentObject;

class MPersistentIterator {
public:
    MPersistentIterator() = default;
    MPersistentIterator(const MPersistentIterator&) = delete;
    MPersistentIterator& operator=(const MPersistentIterator&) = delete;
    virtual ~MPersistentIterator();

    // The child at the current position (no reference is added for the
    // caller), or null for an iterator without children.
    virtual MPersistentObject* Current() = 0;
    // Puts object in place of the current child.
    virtual void ReplaceCurrent(MPersistentObject* object) = 0;
    // Moves to the next child: true when there is one; after the last child
    // false, and the iterator stands before the first child again.
    virtual bool Advance() = 0;
    // Back before the first child.
    virtual void Reset() = 0;
};
