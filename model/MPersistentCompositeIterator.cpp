#include "model/MPersistentCompositeIterator.h"

#include "rw/RWErrorHandler.h"

MPersistentCompositeIterator::MPersistentCompositeIterator(MPersistentObject& composite,
                                                           GCountedPtrVector& children)
    : composite_(composite), children_(children) {}

MPersistentObject* MPersistentCompositeIterator::Current() {
    children_.BoundsCheck(static_cast<uint32_t>(position_));
    return children_.At(static_cast<uint32_t>(position_)).Get();
}

void MPersistentCompositeIterator::ReplaceCurrent(MPersistentObject* object) {
    if (object == nullptr) {
        return;
    }
    // Held first: object may be the current child itself, which releasing
    // the slot would otherwise delete.
    GCountedPtr replacement(object);
    if (children_.Count() == 0) {
        children_.Append(replacement);
        return;
    }
    children_.BoundsCheck(static_cast<uint32_t>(position_));
    children_.At(static_cast<uint32_t>(position_)) = replacement;
}

bool MPersistentCompositeIterator::Advance() {
    ++position_;
    if (position_ >= 0 && static_cast<uint32_t>(position_) < children_.Count()) {
        return true;
    }
    position_ = -1;
    return false;
}

void MPersistentCompositeIterator::Reset() {
    position_ = -1;
}
