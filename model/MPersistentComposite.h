#pragma once
// A persistent object that owns an ordered list of child persistent objects
// through counted pointers (class 752). It gives the root's child operations
// their tree meaning.
//
// Depth-first, in every search below: the children in order; each child is
// tested itself first and, when it does not match, the same operation runs
// on it (a nested composite searches its own subtree, a leaf answers as the
// root does); the first hit ends the whole search. A composite never tests
// itself.
//
// Saved form, after the root's three words, and the tree operations that
// only walk the children: model/GCompositeNode.h. Every child is accepted.
#include <cstdint>
#include <memory>

#include "model/GCompositeNode.h"
#include "model/GCountedPtrVector.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"

class MPersistentComposite : public GCompositeNode<MPersistentObject, MPersistentComposite> {
    MPERSISTENT_CLASS_MEMBERS(MPersistentComposite, MPersistentObject, 752)

public:
    using ApplyFunction = void (*)(GCountedPtr* child, void* argument);
    using ApplyUntilFunction = int (*)(GCountedPtr* child, void* argument);

    MPersistentComposite();
    explicit MPersistentComposite(uint32_t id);
    // Same id and serial; the children are shared (each gains a reference).
    MPersistentComposite(const MPersistentComposite& other);
    // Nothing when other is this object or deep-equal to it (IsEqualId);
    // otherwise id, serial and the children are taken from other (shared)
    // and the previous children released.
    MPersistentComposite& operator=(const MPersistentComposite& other);
    ~MPersistentComposite() override;

    // Null and the composite itself are ignored; at kMaxChildren the object
    // is refused (deleted when nobody else holds it).
    void Add(MPersistentObject* object) override;
    // Null and the composite itself are ignored; inserted before the first
    // child.
    void AddFirst(MPersistentObject* object) override;
    // Direct children first, each by its own IsEqualId, then their subtrees.
    MPersistentObject* FindEqual(const MPersistentObject* object) override;

    // Calls function once per child, in order, with the child's counted
    // pointer and argument.
    virtual void Apply(ApplyFunction function, void* argument);
    // The same, stopping at the first child for which function answers
    // non-zero; that child (no reference added), or null.
    virtual MPersistentObject* ApplyUntil(ApplyUntilFunction function, void* argument);

    // Every restored child is kept.
    static bool AcceptsRestoredChild(const MPersistentObject&) { return true; }
};
