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
// Saved form, after the root's three words:
//   u32 version (1), u32 count, then count child object pointers (class id
//   and guts on a child's first occurrence in the graph, a back-reference
//   afterwards).
#include <cstdint>
#include <memory>

#include "model/GCountedPtrVector.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"

class MPersistentComposite : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(MPersistentComposite, MPersistentObject, 752)

public:
    // Add refuses children at this count and above.
    static constexpr uint32_t kMaxChildren = 0x1FFFFFBF;
    static constexpr uint32_t kInitialCapacity = 10;
    // The capacity RemoveAll and a restore leave.
    static constexpr uint32_t kClearedCapacity = 64;

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

    uint32_t BinaryStoreSize() const override;
    void SaveGuts(RWVirtualOutStream& stream) const override;
    void SaveGuts(RWBinaryFile& file) const override;
    // Reads the children as saved; stops at the first sign of a bad stream
    // and skips nil children.
    void RestoreGuts(RWVirtualInStream& stream) override;
    void RestoreGuts(RWBinaryFile& file) override;

    // Same object; or same IsA, same id, same number of children and,
    // index by index, children that are IsEqualId (recursively).
    bool IsEqualId(const MPersistentObject* other) const override;

    // Null and the composite itself are ignored; at kMaxChildren the object
    // is refused (deleted when nobody else holds it).
    void Add(MPersistentObject* object) override;
    // Null and the composite itself are ignored; inserted before the first
    // child.
    void AddFirst(MPersistentObject* object) override;
    // Depth-first; the matched child is taken out of its parent and detached:
    // the object itself when that slot was its last holder, else a copy.
    std::unique_ptr<MPersistentObject> Remove(const MPersistentObject* object) override;
    std::unique_ptr<MPersistentObject> RemoveById(uint32_t id) override;
    std::unique_ptr<MPersistentObject> RemoveByClass(RWClassID classId) override;
    // Depth-first; the matched child's slot receives a Clone of object.
    int ReplaceById(uint32_t id, const MPersistentObject* object) override;
    int ReplaceByClass(RWClassID classId, const MPersistentObject* object) override;
    int Replace(const MPersistentObject* target, const MPersistentObject* object) override;
    int ReplaceByKind(RWClassID classId, const MPersistentObject* object) override;
    // Every child released; count 0, capacity 64.
    void RemoveAll() override;
    MPersistentObject* FindById(uint32_t id) override;
    MPersistentObject* FindByClass(RWClassID classId) override;
    MPersistentObject* FindEqual(const MPersistentObject* object) override;
    MPersistentObject* FindByKind(RWClassID classId) override;
    // Each child's collect-into runs in order; leaves add themselves, nested
    // composites pass the call on.
    MPersistentObject* CollectByClassInto(RWClassID classId, MPersistentObject* target) override;
    MPersistentObject* CollectByIdInto(uint32_t id, MPersistentObject* target) override;
    MPersistentObject* CollectByKindInto(RWClassID classId, MPersistentObject* target) override;
    // A new composite of the matching leaves in depth-first order, or null.
    std::unique_ptr<MPersistentObject> CollectById(uint32_t id) override;
    std::unique_ptr<MPersistentObject> CollectByClass(RWClassID classId) override;
    std::unique_ptr<MPersistentObject> CollectByKind(RWClassID classId) override;
    MPersistentObject* AsComposite() override;
    uint32_t GetCount() const override;
    uint32_t GetSubtreeSize() const override;
    std::unique_ptr<MPersistentIterator> CreateIterator() override;

    // Calls function once per child, in order, with the child's counted
    // pointer and argument.
    virtual void Apply(ApplyFunction function, void* argument);
    // The same, stopping at the first child for which function answers
    // non-zero; that child (no reference added), or null.
    virtual MPersistentObject* ApplyUntil(ApplyUntilFunction function, void* argument);

    // The children in order.
    const GCountedPtrVector& GetChildren() const { return children_; }

protected:
    GCountedPtrVector& MutableChildren() { return children_; }

private:
    template <typename Source> void RestoreChildren(Source& source);

    GCountedPtrVector children_;
};
