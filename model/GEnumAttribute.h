#pragma once
// A choice list (class 764, "GEnumAttribute"): an attribute node whose
// children are the possible choices, all of one class, with one of them
// selected. The device model's media pool derives from it.
//
// Invariant: while the node has children, the selection is one of its own
// direct children; it is null only when the node is empty. The selection
// holds no reference of its own (the child is kept alive by the node's
// counted pointer), so every operation that can take a child away moves the
// selection first: Remove and its forms to the first remaining child,
// RemoveAll to null, the Replace forms to the replacement in the same slot.
// Children changed behind the node's back (an iterator's ReplaceCurrent, a
// ForEach that resets a slot) are caught when the selection is next read:
// a selection that is no longer a child falls back to the first child.
//
// Saved form, after the GAttributeComposite part
// (model/GAttributeComposite.h):
//   u32 version (1), the selection as an object pointer (a back-reference
//   to the child saved just before, or the nil object when there is none),
//   u16 elementClass
// A restore accepts as selection only one of the node's restored children;
// anything else (the nil object included, while there are children) gives
// the first child. An object the data made for a refused selection is kept
// out of the tree, held until the next restore or the node's end, since a
// later back-reference of the same graph may still name it.
#include <cstdint>
#include <memory>

#include "model/GAttributeComposite.h"
#include "model/MPersistentClass.h"

class GEnumAttribute : public GAttributeComposite {
    MPERSISTENT_CLASS_MEMBERS(GEnumAttribute, GAttributeComposite, 764)

public:
    static constexpr uint32_t ClassVersion() { return 1; }

    // No choices, no selection, element class 0, changed 1.
    GEnumAttribute();
    explicit GEnumAttribute(uint32_t id);
    // Shares every choice of other (as the node's copy does), takes its
    // element class and selects the same (shared) choice.
    GEnumAttribute(const GEnumAttribute& other);
    GEnumAttribute& operator=(const GEnumAttribute& other);
    ~GEnumAttribute() override;

    // The node's size + 4 + the selection's store size in the graph being
    // measured (a back-reference to a child, or the nil object) + 2.
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // Same object; or same class, the node's equality, selections both null
    // or equal by IsEqualId, and the same element class.
    bool IsEqualId(const MPersistentObject* other) const override;
    // Subclasses compare as a choice list.
    RWClassID GetTypeCode() const override { return kClassId; }
    // A deep copy that selects its copy of this node's selection.
    std::unique_ptr<MPersistentObject> Clone() const override;

    // A null object is ignored. An object that is not an attribute, or not of
    // the element class (once one is set), or equal (FindEqual) to a choice
    // already there is not kept (deleted when nobody else holds it); the
    // object itself when it already is a choice changes nothing. Otherwise
    // it is appended; the first choice sets the element class and, when
    // there is no selection, becomes the selection.
    void Add(MPersistentObject* object) override;
    // The node's Remove; when the selection was taken away, the first
    // remaining choice is selected (null when none remains).
    std::unique_ptr<MPersistentObject> Remove(const MPersistentObject* object) override;
    // Remove of what FindById / FindByClass finds.
    std::unique_ptr<MPersistentObject> RemoveById(uint32_t id) override;
    std::unique_ptr<MPersistentObject> RemoveByClass(RWClassID classId) override;
    // The node's Replace forms; a selected choice that is replaced is
    // followed to its replacement.
    int ReplaceById(uint32_t id, const MPersistentObject* object) override;
    int ReplaceByClass(RWClassID classId, const MPersistentObject* object) override;
    int Replace(const MPersistentObject* target, const MPersistentObject* object) override;
    int ReplaceByKind(RWClassID classId, const MPersistentObject* object) override;
    // The node's RemoveAll; no selection.
    void RemoveAll() override;

    // Does nothing: a choice list is never merged.
    void AssignFrom(GAttribute* object) override;
    // The device's enumeration-attribute operation with this node (the
    // choices are not applied one by one); then changed := 0. Its status.
    uint16_t Apply(GPeripheral& device) override;

    // The selected choice (no reference added), null when there are none.
    GAttribute* GetSelection() const;
    // The class id of the choices, 0 until the first one is added.
    RWClassID GetElementClass() const { return elementClass_; }
    // The choice that FindEqual finds for object becomes the selection and
    // is returned; null (selection unchanged) when no choice is equal.
    GAttribute* Select(const MPersistentObject* object);
    // The choice after the selection becomes the selection and is returned;
    // null (selection unchanged) when the selection is the last choice.
    GAttribute* SelectNext();
    // The choice before the selection becomes the selection and is returned;
    // null (selection unchanged) when the selection is the first choice.
    GAttribute* SelectPrevious();

private:
    // Index of object among the direct children, GCountedPtrVector::kNotFound
    // when it is none. Compares addresses only.
    uint32_t IndexOfChild(const MPersistentObject* object) const;
    // The first child that is an attribute, or null.
    GAttribute* FirstChoice() const;
    // candidate when it is a direct child, else the first choice.
    GAttribute* ChildOrFirst(const MPersistentObject* candidate) const;
    template <typename Operation> int ReplaceKeepingSelection(Operation operation);

    // Re-checked on every read (see the invariant above), hence mutable.
    mutable GAttribute* selection_ = nullptr;
    RWClassID elementClass_ = 0;
    // A restored selection that was not one of the children.
    GCountedPtr refusedSelection_;
};
