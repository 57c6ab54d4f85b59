#include "rw/RWSlistCollectablesStack.h"

RWCollectable* RWSlistCollectablesStack::CreateInstance() {
    return new RWSlistCollectablesStack;
}

RWCollectable* RWSlistCollectablesStack::NewSpecies() const {
    return new RWSlistCollectablesStack;
}

RWCollectable* RWSlistCollectablesStack::Copy() const {
    return new RWSlistCollectablesStack(*this);
}

RWClassID RWSlistCollectablesStack::IsA() const {
    return __RWSLISTCOLLECTABLESSTACK;
}

void RWSlistCollectablesStack::AppendRestored(RWCollectionBase& collection, RWCollectable* member, uint32_t) {
    static_cast<RWSlistCollectablesStack&>(collection).Links().Append(member);
}

template <class Carrier> void RWSlistCollectablesStack::RestoreGutsFrom(Carrier& carrier) {
    RestoreMembers(carrier, &AppendRestored);
}

RW_DEFINE_RESTORE_GUTS(RWSlistCollectablesStack)

RWCollectable* RWSlistCollectablesStack::Insert(RWCollectable* object) {
    return Prepend(object);
}

RWCollectable* RWSlistCollectablesStack::Remove(const RWCollectable*) {
    return RemoveFirst();
}

void RWSlistCollectablesStack::RemoveAndDestroy(const RWCollectable*) {}

RWCollectable* RWSlistCollectablesStack::Append(RWCollectable*) {
    return nullptr;
}
