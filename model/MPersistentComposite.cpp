#include "model/MPersistentComposite.h"

#include "model/GChildWalks.h"
#include "model/MPersistentClass.h"

MPersistentComposite::MPersistentComposite() = default;

MPersistentComposite::MPersistentComposite(uint32_t id) : GCompositeNode(id) {}

MPersistentComposite::MPersistentComposite(const MPersistentComposite& other)
    : GCompositeNode(other, other.children_) {}

MPersistentComposite& MPersistentComposite::operator=(const MPersistentComposite& other) {
    if (this == &other || !IsNotEqualId(&other)) {
        return *this;
    }
    // Everything is taken from other before the old children go (the
    // vector copies first, then releases): other may be a descendant that
    // only those children keep alive.
    MPersistentObject::operator=(other);
    children_ = other.children_;
    return *this;
}

MPersistentComposite::~MPersistentComposite() = default;

// --- Adding and removing -----------------------------------------------------

void MPersistentComposite::Add(MPersistentObject* object) {
    // A composite never holds itself: the cycle would keep it alive for ever
    // and send every walk round it.
    if (object == nullptr || object == this) {
        return;
    }
    // Held at once: when the object is refused (or growth fails) this holder
    // deletes it, unless someone else holds it too.
    GCountedPtr held(object);
    if (children_.Count() >= kMaxChildren) {
        return;
    }
    children_.Append(held);
}

void MPersistentComposite::AddFirst(MPersistentObject* object) {
    if (object == nullptr || object == this) {
        return;
    }
    GCountedPtr held(object);
    children_.InsertAt(0, held);
}

// --- Finding and walking -----------------------------------------------------

MPersistentObject* MPersistentComposite::FindEqual(const MPersistentObject* object) {
    return GFindInChildren(
        children_, [object](MPersistentObject* child) { return child->IsEqualId(object); },
        [object](MPersistentObject* child) { return child->FindEqual(object); });
}

void MPersistentComposite::Apply(ApplyFunction function, void* argument) {
    if (function == nullptr) {
        return;
    }
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        function(&children_.At(i), argument);
    }
}

MPersistentObject* MPersistentComposite::ApplyUntil(ApplyUntilFunction function, void* argument) {
    if (function == nullptr) {
        return nullptr;
    }
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        GCountedPtr& child = children_.At(i);
        if (function(&child, argument) != 0) {
            // Re-read: the function may have changed the slot.
            return i < children_.Count() ? children_.At(i).Get() : nullptr;
        }
    }
    return nullptr;
}
