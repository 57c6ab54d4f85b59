#include "model/GChildWalks.h"

#include "rw/RWStoreTable.h"

uint32_t GChildrenStoreSize(const MPersistentObject& owner, const GCountedPtrVector& children) {
    RWStoreTableGuard guard;
    if (guard.Created()) {
        uint32_t index = 0;
        guard.Table().AddObject(&owner, index);
    }
    uint32_t size = 0;
    for (uint32_t i = 0; i < children.Count(); ++i) {
        if (const MPersistentObject* child = children.At(i).Get()) size += child->RecursiveStoreSize();
    }
    return size;
}

uint32_t GSubtreeSize(const GCountedPtrVector& children) {
    uint32_t size = 1;
    for (uint32_t i = 0; i < children.Count(); ++i) {
        if (const MPersistentObject* child = children.At(i).Get()) size += child->GetSubtreeSize();
    }
    return size;
}
