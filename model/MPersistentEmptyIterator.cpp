#include "model/MPersistentEmptyIterator.h"

MPersistentObject* MPersistentEmptyIterator::Current() {
    return nullptr;
}

void MPersistentEmptyIterator::ReplaceCurrent(MPersistentObject*) {}

bool MPersistentEmptyIterator::Advance() {
    return false;
}

void MPersistentEmptyIterator::Reset() {}
