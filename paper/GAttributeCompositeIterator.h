#pragma once
// The plain child iterator over an attribute composite's children, with the
// insertion the media pool's users need beside the model iterator's
// operations. The composite must outlive the iterator.
#include "model/GCountedPtr.h"
#include "model/GCountedPtrVector.h"
#include "model/MPersistentCompositeIterator.h"

class GAttributeCompositeIterator : public MPersistentCompositeIterator {
public:
    GAttributeCompositeIterator(MPersistentObject& composite, GCountedPtrVector& children);
    ~GAttributeCompositeIterator() override;

    // On a composite with children the iterator must stand on a child (else
    // INDEXERR): child is inserted at that place and the current child and
    // all after it move one place on. On an empty composite child is
    // appended. A null child is ignored.
    void InsertAtCurrent(const GCountedPtr& child);

private:
    GCountedPtrVector& children_;
};
