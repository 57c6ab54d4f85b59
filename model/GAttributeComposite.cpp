#include "model/GAttributeComposite.h"

#include <utility>

#include "model/GChildWalks.h"
#include "model/MPersistentClass.h"

namespace {

// A copy (the class's Copy) owned by the caller, or null when the class
// makes none.
std::unique_ptr<MPersistentObject> CopyOf(const MPersistentObject& object) {
    std::unique_ptr<RWCollectable> copy(object.Copy());
    auto* persistent = dynamic_cast<MPersistentObject*>(copy.get());
    if (persistent == nullptr) {
        return nullptr;
    }
    copy.release();
    return std::unique_ptr<MPersistentObject>(persistent);
}

} // namespace

GAttributeComposite::GAttributeComposite() = default;

GAttributeComposite::GAttributeComposite(uint32_t id) : GCompositeNode(id) {}

GAttributeComposite::GAttributeComposite(const GAttributeComposite& other)
    : GCompositeNode(other, GCountedPtrVector(other.children_.Count())) {
    for (uint32_t i = 0; i < other.children_.Count(); ++i) {
        children_.Append(other.children_.At(i));
    }
}

GAttributeComposite& GAttributeComposite::operator=(const GAttributeComposite& other) {
    if (this != &other) {
        // The vector takes other's children before it lets its own go.
        children_ = other.children_;
        GAttribute::operator=(other);
    }
    return *this;
}

GAttributeComposite::~GAttributeComposite() = default;

GAttribute* GAttributeComposite::AttributeAt(uint32_t index) const {
    return dynamic_cast<GAttribute*>(children_.At(index).Get());
}

// --- Adding and removing -----------------------------------------------------

void GAttributeComposite::Add(MPersistentObject* object) {
    if (object == nullptr) {
        return;
    }
    // Held at once: a refused object (or a failed growth) is deleted by this
    // holder, unless someone else holds it too.
    GCountedPtr held(object);
    if (!object->IsKindOf(GAttribute::kClassId)) {
        return;
    }
    children_.Append(held);
}

// --- Finding -----------------------------------------------------------------

MPersistentObject* GAttributeComposite::FindEqual(const MPersistentObject* object) {
    return GFindInChildren(
        children_, [object](MPersistentObject* child) { return child == object; },
        [object](MPersistentObject* child) { return child->FindEqual(object); });
}

// --- Attribute protocol -----------------------------------------------------------

void GAttributeComposite::AssignFrom(GAttribute* object) {
    if (object == nullptr || object == this) {
        return;
    }
    if (object->GetTypeCode() != GetTypeCode() || object->GetId() != GetId()) {
        if (std::unique_ptr<MPersistentObject> copy = CopyOf(*object)) {
            Add(copy.release());
        }
        return;
    }
    const auto* source = dynamic_cast<const GAttributeComposite*>(object);
    if (source == nullptr) {
        return;
    }
    // Held apart first: Add may change what object holds when it is part
    // of this tree.
    const GCountedPtrVector children(source->children_);
    for (uint32_t i = 0; i < children.Count(); ++i) {
        if (const MPersistentObject* child = children.At(i).Get()) {
            if (std::unique_ptr<MPersistentObject> copy = CopyOf(*child)) {
                Add(copy.release());
            }
        }
    }
}

uint16_t GAttributeComposite::Apply(GPeripheral& device) {
    uint16_t result = 0;
    const uint32_t n = children_.Count();
    for (uint32_t i = 0; i < n; ++i) {
        // Held across the call: a device may change this node.
        const GCountedPtr child = children_.At(i);
        auto* attribute = dynamic_cast<GAttribute*>(child.Get());
        if (attribute == nullptr || attribute->GetChanged() == 0) {
            continue;
        }
        const uint16_t status = attribute->Apply(device);
        if (status != 0) {
            result = status;
        }
    }
    SetChanged(0);
    return result;
}

void GAttributeComposite::MarkAllChanged() {
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        if (GAttribute* child = AttributeAt(i)) {
            child->SetChanged(1);
        }
    }
    SetChanged(1);
}

void GAttributeComposite::MarkAllUnchanged() {
    for (uint32_t i = 0; i < children_.Count(); ++i) {
        if (GAttribute* child = AttributeAt(i)) {
            child->SetChanged(0);
        }
    }
    SetChanged(0);
}

void GAttributeComposite::ForEach(ForEachFunction function, void* argument) {
    if (function == nullptr) {
        return;
    }
    const uint32_t n = children_.Count();
    for (uint32_t i = 0; i < n; ++i) {
        function(&children_.At(i), argument);
    }
}

MPersistentObject* GAttributeComposite::FindFirst(FindFirstFunction function, void* argument) {
    if (function == nullptr) {
        return nullptr;
    }
    const uint32_t n = children_.Count();
    for (uint32_t i = 0; i < n; ++i) {
        if (function(&children_.At(i), argument) != 0) {
            // Re-read: the function may have changed the slot.
            return i < children_.Count() ? children_.At(i).Get() : nullptr;
        }
    }
    return nullptr;
}
