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
// Saved form, after the GAttribute words (model/GAttribute.h):
//   u32 version (1, the unsigned-long writer), u32 count (the unsigned-int
//   writer), then count child object pointers (class id and guts on a
//   child's first occurrence in the graph, a back-reference afterwards).
// A restore that meets another version keeps the current children. Restored
// data is untrusted: the count only bounds the loop, which ends as soon as
// the stream does; nil children are skipped, and children that are not
// attributes are dropped (kept out of the tree, so nothing later mistakes
// them for attributes).
#include <cstdint>
#include <memory>
#include <vector>

#include "model/GAttribute.h"
#include "model/GCountedPtrVector.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentIterator.h"

class GAttributeComposite : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GAttributeComposite, GAttribute, 757)

public:
    static constexpr uint32_t ClassVersion() { return 1; }
    static constexpr uint32_t kInitialCapacity = 10;
    // The capacity RemoveAll and a restore leave.
    static constexpr uint32_t kClearedCapacity = 64;

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

    // GAttribute's size + 8 + the recursive store size of every child.
    uint32_t BinaryStoreSize() const override;
    void SaveGuts(RWVirtualOutStream& stream) const override;
    void SaveGuts(RWBinaryFile& file) const override;
    void RestoreGuts(RWVirtualInStream& stream) override;
    void RestoreGuts(RWBinaryFile& file) override;

    // Same object; or same IsA, same id, same number of children and, index
    // by index, children that are not IsNotEqualId. changed and serial are
    // not compared.
    bool IsEqualId(const MPersistentObject* other) const override;

    // A null object is ignored; an object that is not an attribute is not
    // kept (deleted when nobody else holds it); otherwise it is appended.
    void Add(MPersistentObject* object) override;
    // The matched child is taken out of its node and detached: the object
    // itself when that slot was its last holder, else a copy. Null on a miss.
    std::unique_ptr<MPersistentObject> Remove(const MPersistentObject* object) override;
    std::unique_ptr<MPersistentObject> RemoveById(uint32_t id) override;
    std::unique_ptr<MPersistentObject> RemoveByClass(RWClassID classId) override;
    // The matched child's slot receives a Clone of object (the caller keeps
    // object); nothing changes when the clone is the child itself. 1 after a
    // match at any depth, else 0.
    int ReplaceById(uint32_t id, const MPersistentObject* object) override;
    int ReplaceByClass(RWClassID classId, const MPersistentObject* object) override;
    int Replace(const MPersistentObject* target, const MPersistentObject* object) override;
    int ReplaceByKind(RWClassID classId, const MPersistentObject* object) override;
    // Every child released; count 0, capacity 64.
    void RemoveAll() override;
    // Pointers into the tree (no reference added), null on a miss.
    MPersistentObject* FindById(uint32_t id) override;
    MPersistentObject* FindByClass(RWClassID classId) override;
    // Direct children by identity; a leaf child answers by its own
    // IsEqualId, so an equal leaf is found even when it is another object.
    MPersistentObject* FindEqual(const MPersistentObject* object) override;
    MPersistentObject* FindByKind(RWClassID classId) override;
    // Each child's collect-into runs in order: leaves add themselves, nodes
    // pass the call on (a node never adds itself). Returns target.
    MPersistentObject* CollectByClassInto(RWClassID classId, MPersistentObject* target) override;
    MPersistentObject* CollectByIdInto(uint32_t id, MPersistentObject* target) override;
    MPersistentObject* CollectByKindInto(RWClassID classId, MPersistentObject* target) override;
    // A new GAttributeComposite of the matching leaves, or null when none.
    std::unique_ptr<MPersistentObject> CollectById(uint32_t id) override;
    std::unique_ptr<MPersistentObject> CollectByClass(RWClassID classId) override;
    std::unique_ptr<MPersistentObject> CollectByKind(RWClassID classId) override;
    MPersistentObject* AsComposite() override;
    uint32_t GetCount() const override;
    uint32_t GetSubtreeSize() const override;
    // Over this node's children; the caller owns it, the node must outlive it.
    std::unique_ptr<MPersistentIterator> CreateIterator() override;

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

    // The children in order.
    const GCountedPtrVector& GetChildren() const { return children_; }

protected:
    GCountedPtrVector& MutableChildren() { return children_; }
    // The child at index as an attribute (null for an empty slot or,
    // should one have been put there through an iterator, a non-attribute).
    GAttribute* AttributeAt(uint32_t index) const;

private:
    template <typename Source> void RestoreChildren(Source& source);

    GCountedPtrVector children_;
    // Restored children that were not attributes. They stay held here, out
    // of the tree, until this node is restored again or destroyed: releasing
    // them during the restore could free an object that a later
    // back-reference of the same graph still names.
    std::vector<GCountedPtr> dropped_;
};
