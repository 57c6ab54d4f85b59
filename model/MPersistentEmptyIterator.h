#pragma once
// The iterator of every leaf: it has no children to visit.
#include "model/MPersistentIterator.h"

class MPersistentEmptyIterator : public MPersistentIterator {
public:
    MPersistentObject* Current() override;            // null
    void ReplaceCurrent(MPersistentObject*) override; // nothing
    bool Advance() override;                          // false
    void Reset() override;                            // nothing
};
