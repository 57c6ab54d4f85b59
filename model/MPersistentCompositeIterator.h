#pragma once
// Iterator over the children a composite keeps in its counted-pointer
// vector. Any node that keeps its children in a GCountedPtrVector can hand
// one out. The composite must outlive the iterator.
#include <cstdint>

#include "model/GCountedPtrVector.h"
#include "model/MPersistentIterator.h"

class MPersistentCompositeIterator : public MPersistentIterator {
public:
    MPersistentCompositeIterator(MPersistentObject& composite, GCountedPtrVector& children);

    // Bounds-checked: raises INDEXERR when not on a child.
    MPersistentObject* Current() override;
    // On a child: the child is released and object takes its slot. On an
    // empty vector: object is appended. Before the first child of a
    // non-empty vector: INDEXERR. object gains one reference; a null object
    // is ignored.
    void ReplaceCurrent(MPersistentObject* object) override;
    bool Advance() override;
    void Reset() override;

    int32_t Position() const { return position_; }
    MPersistentObject& Composite() const { return composite_; }

private:
    MPersistentObject& composite_;
    GCountedPtrVector& children_;
    int32_t position_ = -1;
};
