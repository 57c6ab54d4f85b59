#include "paper/GAttributeCompositeIterator.h"

GAttributeCompositeIterator::GAttributeCompositeIterator(MPersistentObject& composite,
                                                         GCountedPtrVector& children)
    : MPersistentCompositeIterator(composite, children), children_(children) {}

GAttributeCompositeIterator::~GAttributeCompositeIterator() = default;

void GAttributeCompositeIterator::InsertAtCurrent(const GCountedPtr& child) {
    if (!child) {
        return;
    }
    if (children_.Count() == 0) {
        children_.Append(child);
        return;
    }
    // Before the first child (position -1) is not on a child either.
    const auto position = static_cast<uint32_t>(Position());
    children_.BoundsCheck(position);
    children_.InsertAt(position, child);
}
