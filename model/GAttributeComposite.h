#pragma once
// The node of the settings tree (class 757, "GAttributeComposite"): an
// attribute that owns an ordered list of child attributes through counted
// pointers. Every setting is found in a tree of these nodes by its numeric
// attribute id. GState and GEnumAttribute derive from it. It is not an
// MPersistentComposite (not kind of 752): its only accepted children are
// attributes (kind of 753).
//
// Depth-first, in every search below (find, remove, replace): the children
// in insertion order; each child is tested itself first and, when it does
// not match, the same operation runs on it (a nested node searches its own
// subtree, a leaf answers as the persistent root does); the first hit ends
// the whole search. A node never tests itself, so a duplicated id deep in an
// earlier child's subtree wins over a later direct child.
//
// Saved form, after the GAttribute words (model/GAttribute.h), the restore
// rules, and the tree operations that only walk the children:
// model/GCompositeNode.h. A restore drops children that are not attributes
// (kept out of the tree, so nothing later mistakes them for attributes).
#include <cstdint>
#include <memory>
#include <vector>

#include "model/GAttribute.h"
#include "model/GCompositeNode.h"
#include "model/GCountedPtrVector.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentIterator.h"

class GAttributeComposite : public GCompositeNode<GAttribute, GAttributeComposite> {
    MPERSISTENT_CLASS_MEMBERS(GAttributeComposite, GAttribute, 757)

public:
    static constexpr uint32_t ClassVersion() { return 1; }

    // Called once per child, in order, with the child's counted pointer.
    using ForEachFunction = void (*)(GCountedPtr* child, void* argument);
    // The same; a non-zero answer ends the walk at that child.
    using FindFirstFunction = int (*)(GCountedPtr* child, void* argument);

    // Id 0 (or the given id), changed 1, capacity 10, no children.
    GAttributeComposite();
    explicit GAttributeComposite(uint32_t id);
    // A shallow copy: same id, serial and changed; every child of other is
    // shared (gains a reference); capacity equal to other's count.
    GAttributeComposite(const GAttributeComposite& other);
    // The same sharing; the previous children are released afterwards, so
    // assigning from one's own descendant is safe.
    GAttributeComposite& operator=(const GAttributeComposite& other);
    // Releases every child.
    ~GAttributeComposite() override;

    // A null object is ignored; an object that is not an attribute is not
    // kept (deleted when nobody else holds it); otherwise it is appended.
    void Add(MPersistentObject* object) override;
    // Direct children by identity; a leaf child answers by its own
    // IsEqualId, so an equal leaf is found even when it is another object.
    MPersistentObject* FindEqual(const MPersistentObject* object) override;

    // A null object is ignored; the same object, too (a node never merges
    // into itself). When object has this node's type code and id, a copy
    // (its Copy) of each of its children is given to Add, in order;
    // otherwise a copy of object itself is.
    void AssignFrom(GAttribute* object) override;
    // Applies every child whose changed is not 0, in order; the result is
    // the last non-zero status (0 when all succeeded or nothing was
    // applied). Clears this node's changed afterwards; leaves keep theirs.
    uint16_t Apply(GPeripheral& device) override;

    // Sets / clears changed on every direct child, then on this node;
    // grandchildren keep their flags.
    virtual void MarkAllChanged();
    virtual void MarkAllUnchanged();
    // Calls function once per child in order with the address of the
    // child's counted pointer and argument.
    virtual void ForEach(ForEachFunction function, void* argument);
    // The same; the first child for which function answers non-zero (no
    // reference added), else null.
    virtual MPersistentObject* FindFirst(FindFirstFunction function, void* argument);

    // Only attributes are kept by a restore.
    static bool AcceptsRestoredChild(const MPersistentObject& child) {
        return child.IsKindOf(GAttribute::kClassId);
    }

protected:
    // The child at index as an attribute (null for an empty slot or,
    // should one have been put there through an iterator, a non-attribute).
    GAttribute* AttributeAt(uint32_t index) const;
};
