#pragma once
// The index-addressable collections: positions count from 0, and a position
// out of range raises INDEXERR (NPOSINDEX for RW_NPOS).
#include <cstddef>

#include "rw/RWCollectionBase.h"

class RWSequencedCollectionBase : public RWCollectionBase {
public:
    RWClassID IsA() const override;

    // The sequence operations, after the collection operations.
    virtual RWCollectable* Append(RWCollectable* object) = 0;
    virtual RWCollectable* At(size_t index) const = 0;
    // The slot of the member at index, for replacing it in place.
    virtual RWCollectable*& At(size_t index) = 0;
    // First and last members, null when empty.
    virtual RWCollectable* First() const = 0;
    // Position of the first member IsEqual to object, RW_NPOS when none.
    virtual size_t Index(const RWCollectable* object) const = 0;
    // Inserts so that object gets that index; index may be the count (the end).
    virtual RWCollectable* InsertAt(size_t index, RWCollectable* object) = 0;
    virtual RWCollectable* Last() const = 0;
    virtual RWCollectable* Prepend(RWCollectable* object) = 0;
    // Inserts object after the member at index (which must exist).
    virtual RWCollectable* InsertAfter(size_t index, RWCollectable* object) = 0;
};
