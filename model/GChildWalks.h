#pragma once
// The walks over a node's children that every composite of the model makes
// the same way: pre-order find, remove and replace (match tests a child,
// recurse asks the child's own subtree), collecting, subtree and store sizes.
#include <cstdint>
#include <memory>

#include "model/GCountedPtr.h"
#include "model/GCountedPtrVector.h"
#include "model/MPersistentIterator.h"
#include "model/MPersistentObject.h"

// --- Find, remove, replace ----------------------------------------------------

// The first child that matches, else the first hit in a child's subtree, in
// pre-order; the node itself is never tested. Null when there is none.
template <typename Match, typename Recurse>
MPersistentObject* GFindInChildren(const GCountedPtrVector& children, Match match, Recurse recurse) {
    const uint32_t n = children.Count();
    for (uint32_t i = 0; i < n; ++i) {
        MPersistentObject* child = children.At(i).Get();
        if (child == nullptr) continue;
        if (match(child)) return child;
        if (MPersistentObject* found = recurse(child)) return found;
    }
    return nullptr;
}

// Removes the first match in pre-order and hands it to the caller detached
// (the object itself when this was its last holder, else a copy).
template <typename Match, typename Recurse>
std::unique_ptr<MPersistentObject> GRemoveFromChildren(GCountedPtrVector& children, Match match,
                                                       Recurse recurse) {
    for (uint32_t i = 0; i < children.Count(); ++i) {
        MPersistentObject* child = children.At(i).Get();
        if (child == nullptr) continue;
        if (match(child)) return children.RemoveAt(i).Detach();
        if (std::unique_ptr<MPersistentObject> found = recurse(child)) return found;
    }
    return nullptr;
}

// Puts a clone of object into the slot of the first match in pre-order.
// 1 when a child was replaced; 0 when none matched or no clone could be made.
template <typename Match, typename Recurse>
int GReplaceInChildren(GCountedPtrVector& children, Match match, Recurse recurse,
                       const MPersistentObject* object) {
    if (object == nullptr) return 0;
    for (uint32_t i = 0; i < children.Count(); ++i) {
        MPersistentObject* child = children.At(i).Get();
        if (child == nullptr) continue;
        if (match(child)) {
            // Cloned before the old child goes: object may be that child or
            // part of it.
            GCountedPtr clone(object->Clone());
            if (!clone) return 0;
            children.At(i) = clone;
            return 1;
        }
        if (recurse(child) != 0) return 1;
    }
    return 0;
}

// The tree operations of a composite, by key, over its children.
std::unique_ptr<MPersistentObject> GRemoveChild(GCountedPtrVector& children, const MPersistentObject* object);
std::unique_ptr<MPersistentObject> GRemoveChildById(GCountedPtrVector& children, uint32_t id);
std::unique_ptr<MPersistentObject> GRemoveChildByClass(GCountedPtrVector& children, RWClassID classId);
int GReplaceChild(GCountedPtrVector& children, const MPersistentObject* target,
                  const MPersistentObject* object);
int GReplaceChildById(GCountedPtrVector& children, uint32_t id, const MPersistentObject* object);
int GReplaceChildByClass(GCountedPtrVector& children, RWClassID classId, const MPersistentObject* object);
int GReplaceChildByKind(GCountedPtrVector& children, RWClassID classId, const MPersistentObject* object);
MPersistentObject* GFindChildById(const GCountedPtrVector& children, uint32_t id);
MPersistentObject* GFindChildByClass(const GCountedPtrVector& children, RWClassID classId);
MPersistentObject* GFindChildByKind(const GCountedPtrVector& children, RWClassID classId);

// --- Sizes and collecting ---------------------------------------------------

// The bytes a node's children take in a binary file, counted with one store
// table for all of them, as a save has: a child shared by two slots counts
// once, and asked on its own the size holds no file magic per child. owner
// takes the table's first index, as it does when it is saved.
uint32_t GChildrenStoreSize(const MPersistentObject& owner, const GCountedPtrVector& children);

// Asks each child of a node, in order, to collect into target (collect is
// called with the child and target). The count is read once: collecting
// into the node itself must not walk what it adds.
template <typename Collect>
MPersistentObject* GCollectFromChildren(const GCountedPtrVector& children, MPersistentObject* target,
                                        Collect collect) {
    const uint32_t n = children.Count();
    for (uint32_t i = 0; i < n && target != nullptr; ++i) {
        if (MPersistentObject* child = children.At(i).Get()) collect(*child, target);
    }
    return target;
}

// A new node of the given class holding what the collect operation (a
// member such as &MPersistentObject::CollectByIdInto) finds under node, or
// null when it finds nothing.
template <typename Node, typename Key>
std::unique_ptr<MPersistentObject>
GCollectIntoNew(Node& node, MPersistentObject* (Node::*collect)(Key, MPersistentObject*), Key key) {
    auto collected = std::make_unique<Node>();
    (node.*collect)(key, collected.get());
    if (collected->GetCount() == 0) return nullptr;
    return collected;
}

// 1 plus the subtree sizes of the children.
uint32_t GSubtreeSize(const GCountedPtrVector& children);

// --- Visit ---------------------------------------------------------------------

// Calls visit with each child of node that is not null, in order; nothing
// when node is null.
template <typename Visit> void GForEachChild(MPersistentObject* node, Visit visit) {
    if (node == nullptr) return;
    const std::unique_ptr<MPersistentIterator> children = node->CreateIterator();
    while (children->Advance()) {
        if (children->Current() != nullptr) visit(*children->Current());
    }
}
