#pragma once
// A stack of collectables on the singly-linked list (class id 0x8036,
// registered as "RWSlistCollectablesStack"): Insert pushes at the front,
// Remove pops the front whatever its argument, Append is refused and
// RemoveAndDestroy does nothing. A restore appends the members in the order
// they were saved, so a stack comes back as it was.
#include "rw/RWSlistCollectables.h"

constexpr RWClassID __RWSLISTCOLLECTABLESSTACK = 0x8036;

class RWSlistCollectablesStack : public RWSlistCollectables {
public:
    RWSlistCollectablesStack() = default;
    RWSlistCollectablesStack(const RWSlistCollectablesStack&) = default;
    RWSlistCollectablesStack& operator=(const RWSlistCollectablesStack&) = default;
    ~RWSlistCollectablesStack() override = default;

    static RWCollectable* CreateInstance();

    RWCollectable* NewSpecies() const override;
    RWCollectable* Copy() const override;
    RWClassID IsA() const override;
    // Unlike the list's, a restore adds to what the stack already holds.
    RW_DECLARE_RESTORE_GUTS()

    // Push.
    RWCollectable* Insert(RWCollectable* object) override;
    // Pop: the first member, null when empty.
    RWCollectable* Remove(const RWCollectable* object) override;
    void RemoveAndDestroy(const RWCollectable* object) override;
    // Refused: returns null and adds nothing.
    RWCollectable* Append(RWCollectable* object) override;

    RWCollectable* Push(RWCollectable* object) { return Insert(object); }
    RWCollectable* Pop() { return Remove(nullptr); }
    RWCollectable* Top() const { return First(); }

private:
    static void AppendRestored(RWCollectionBase& collection, RWCollectable* member, uint32_t entry);
};
