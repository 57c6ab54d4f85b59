#pragma once
// The iterator a GCommandComposite hands out over its children, in list
// order. It stands before the first child when made and after Reset, and
// past the last child once Advance has answered false: Current is null at
// both places. Only commands may take a child's place.
#include <memory>

#include "model/MPersistentIterator.h"

class GCommandCompositeIterator : public MPersistentIterator {
public:
    // Walks with list's iterator (the list must outlive this iterator).
    explicit GCommandCompositeIterator(std::unique_ptr<MPersistentIterator> list);
    ~GCommandCompositeIterator() override;

    // The current child, or null when not on one.
    MPersistentObject* Current() override;
    // On a child, a command takes its place (counted); anything else, and
    // anything offered when not on a child, is released as a counted
    // pointer would release it.
    void ReplaceCurrent(MPersistentObject* object) override;
    // False past the last child.
    bool Advance() override;
    void Reset() override;

private:
    std::unique_ptr<MPersistentIterator> list_;
    bool onChild_ = false;
};
