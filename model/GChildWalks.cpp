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

std::unique_ptr<MPersistentObject> GRemoveChild(GCountedPtrVector& children,
                                                const MPersistentObject* object) {
    return GRemoveFromChildren(
        children, [object](MPersistentObject* child) { return child == object; },
        [object](MPersistentObject* child) { return child->Remove(object); });
}

std::unique_ptr<MPersistentObject> GRemoveChildById(GCountedPtrVector& children, uint32_t id) {
    return GRemoveFromChildren(
        children, [id](MPersistentObject* child) { return child->GetId() == id; },
        [id](MPersistentObject* child) { return child->RemoveById(id); });
}

std::unique_ptr<MPersistentObject> GRemoveChildByClass(GCountedPtrVector& children, RWClassID classId) {
    return GRemoveFromChildren(
        children, [classId](MPersistentObject* child) { return child->IsA() == classId; },
        [classId](MPersistentObject* child) { return child->RemoveByClass(classId); });
}

int GReplaceChild(GCountedPtrVector& children, const MPersistentObject* target,
                  const MPersistentObject* object) {
    return GReplaceInChildren(
        children, [target](MPersistentObject* child) { return child == target; },
        [target, object](MPersistentObject* child) { return child->Replace(target, object); }, object);
}

int GReplaceChildById(GCountedPtrVector& children, uint32_t id, const MPersistentObject* object) {
    return GReplaceInChildren(
        children, [id](MPersistentObject* child) { return child->GetId() == id; },
        [id, object](MPersistentObject* child) { return child->ReplaceById(id, object); }, object);
}

int GReplaceChildByClass(GCountedPtrVector& children, RWClassID classId, const MPersistentObject* object) {
    return GReplaceInChildren(
        children, [classId](MPersistentObject* child) { return child->IsA() == classId; },
        [classId, object](MPersistentObject* child) { return child->ReplaceByClass(classId, object); },
        object);
}

int GReplaceChildByKind(GCountedPtrVector& children, RWClassID classId, const MPersistentObject* object) {
    return GReplaceInChildren(
        children, [classId](MPersistentObject* child) { return child->IsKindOf(classId); },
        [classId, object](MPersistentObject* child) { return child->ReplaceByKind(classId, object); },
        object);
}

MPersistentObject* GFindChildById(const GCountedPtrVector& children, uint32_t id) {
    return GFindInChildren(
        children, [id](MPersistentObject* child) { return child->GetId() == id; },
        [id](MPersistentObject* child) { return child->FindById(id); });
}

MPersistentObject* GFindChildByClass(const GCountedPtrVector& children, RWClassID classId) {
    return GFindInChildren(
        children, [classId](MPersistentObject* child) { return child->IsA() == classId; },
        [classId](MPersistentObject* child) { return child->FindByClass(classId); });
}

MPersistentObject* GFindChildByKind(const GCountedPtrVector& children, RWClassID classId) {
    return GFindInChildren(
        children, [classId](MPersistentObject* child) { return child->IsKindOf(classId); },
        [classId](MPersistentObject* child) { return child->FindByKind(classId); });
}
