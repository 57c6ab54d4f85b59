#pragma once
// An ordered list of commands played as one command (class 605,
// "GCommandComposite"): a page a device holds back, the pieces a device puts
// in place of one command, a sequence that must stay together. A device does
// not play the list through Accept: its HandleComposite walks the list and
// plays each child, and may replace children by what it answers.
//
// The children live in an embedded MPersistentComposite (id 0), counted, in
// insertion order; a child may be held by several lists. Only commands are
// ever members. Appending, prepending, and any remove or replace that
// matches something set the changed mark.
//
// Saved form: the GCommand part, u32 version (1), then the embedded list in
// place (no object marker): its root part (version, id, serial), u32
// version (1), u32 child count and each child as an object pointer. A
// restore whose version is not 1 keeps the list; one that finds anything but
// commands in the list fails.
#include <cstdint>
#include <memory>

#include "model/MPersistentComposite.h"
#include "pipeline/GCommand.h"

class GCommandComposite : public GCommand {
    MPERSISTENT_CLASS_MEMBERS(GCommandComposite, GCommand, 605)
    RW_DECLARE_GUTS()

public:
    GCommandComposite();
    explicit GCommandComposite(uint32_t id);
    GCommandComposite(GState* state, uint32_t id);
    // The same children (each counted once more), the state shared.
    GCommandComposite(const GCommandComposite& other);
    GCommandComposite& operator=(const GCommandComposite& other);
    ~GCommandComposite() override;

    // GCommand's size + 4 + the embedded list's size.
    uint32_t BinaryStoreSize() const override;
    // The same object; or GCommand's part and the lists equal (same id, same
    // number of children, children pairwise equal in order).
    bool IsEqualId(const MPersistentObject* other) const override;

    // A command is added (taken over when nobody holds it, else shared) and
    // the changed mark set; anything else is released as a counted pointer
    // would release it and nothing changes; null does nothing.
    void Append(MPersistentObject* object);
    void Prepend(MPersistentObject* object);
    // The root's list operations, answered by the embedded list.
    void Add(MPersistentObject* object) override;
    void AddFirst(MPersistentObject* object) override;
    std::unique_ptr<MPersistentObject> Remove(const MPersistentObject* object) override;
    std::unique_ptr<MPersistentObject> RemoveById(uint32_t id) override;
    std::unique_ptr<MPersistentObject> RemoveByClass(RWClassID classId) override;
    // Only a command can replace a child (its Clone takes the slot).
    int ReplaceById(uint32_t id, const MPersistentObject* object) override;
    int ReplaceByClass(RWClassID classId, const MPersistentObject* object) override;
    int Replace(const MPersistentObject* target, const MPersistentObject* object) override;
    int ReplaceByKind(RWClassID classId, const MPersistentObject* object) override;
    // Not offered: does nothing.
    void RemoveAll() override;
    MPersistentObject* FindById(uint32_t id) override;
    MPersistentObject* FindByClass(RWClassID classId) override;
    MPersistentObject* FindEqual(const MPersistentObject* object) override;
    MPersistentObject* FindByKind(RWClassID classId) override;
    MPersistentObject* CollectByClassInto(RWClassID classId, MPersistentObject* target) override;
    MPersistentObject* CollectByIdInto(uint32_t id, MPersistentObject* target) override;
    MPersistentObject* CollectByKindInto(RWClassID classId, MPersistentObject* target) override;
    std::unique_ptr<MPersistentObject> CollectById(uint32_t id) override;
    std::unique_ptr<MPersistentObject> CollectByClass(RWClassID classId) override;
    std::unique_ptr<MPersistentObject> CollectByKind(RWClassID classId) override;
    // The embedded list.
    MPersistentObject* AsComposite() override;
    // The number of children.
    uint32_t GetCount() const override;
    uint32_t GetSubtreeSize() const override;
    // A GCommandCompositeIterator over the children; the caller owns it.
    std::unique_ptr<MPersistentIterator> CreateIterator() override;

    // Every child's, in list order.
    void MakeSelfContained() override;
    // 0; no device operation.
    uint16_t Accept(GPeripheral& device) override;

    const MPersistentComposite& GetList() const { return list_; }

private:
    void MarkChanged(bool changed) {
        if (changed) SetChanged(1);
    }

    MPersistentComposite list_;
};
