#pragma once
// The attribute composite that describes one state (class 758, "GState"):
// a group of settings in the settings tree, and the render state of the
// devices of the job pipeline and of job commands. It keeps at most one
// child per kind of setting: a child is identified by the pair
// (GetTypeCode, id), and Add replaces the child of the same pair in place.
// One state can be merged into another (AssignFrom).
//
// Saved form: the GAttributeComposite part, then u32 version (1). The
// version word is read back but not checked: nothing follows it.
#include <cstdint>

#include "model/GAttributeComposite.h"
#include "model/MPersistentClass.h"

class GState : public GAttributeComposite {
    MPERSISTENT_CLASS_MEMBERS(GState, GAttributeComposite, 758)

public:
    static constexpr uint32_t ClassVersion() { return 1; }

    GState() = default;
    explicit GState(uint32_t id) : GAttributeComposite(id) {}
    // Shares other's children, as the composite's copy.
    GState(const GState& other) = default;
    GState& operator=(const GState& other) = default;
    ~GState() override;

    // The composite's size + 4.
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // A null object is ignored; a non-attribute is not kept. When a direct
    // child has the object's type code and id: nothing when it is the object
    // itself; the object is not kept (deleted unless held elsewhere) when
    // the child IsEqualId to it; otherwise the child is released and the
    // object takes its slot (its changed as it was). With no such child the
    // object is appended.
    void Add(MPersistentObject* object) override;
    // Merge. A null object (or this state itself) is ignored. When object
    // has this state's type code and id, each of its children C is merged in
    // order: into the direct child T of the same type code and id when T is
    // a GState (recursively); C takes T's place when it differs from T; C is
    // appended when there is no T. Taken children are shared with object,
    // not copied, and get changed 1. Otherwise object itself gets changed 1
    // and is given to Add. So the caller holds what it offers in a
    // GCountedPtr, as for Add.
    void AssignFrom(GAttribute* object) override;

private:
    // Index of the first direct child with the type code and id of object,
    // or GCountedPtrVector::kNotFound.
    uint32_t IndexOfSameKind(const MPersistentObject& object) const;
};
