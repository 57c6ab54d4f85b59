#include "model/GState.h"

GState::~GState() = default;

// --- Persistence ----------------------------------------------------------

uint32_t GState::BinaryStoreSize() const {
    return GAttributeComposite::BinaryStoreSize() + 4;
}

template <class Carrier> void GState::SaveGutsTo(Carrier& carrier) const {
    GAttributeComposite::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
}

template <class Carrier> void GState::RestoreGutsFrom(Carrier& carrier) {
    GAttributeComposite::RestoreGuts(carrier);
    if (!GRestoreGood(carrier)) {
        return;
    }
    // Read to keep the carrier in step; any value is accepted.
    uint32_t version = 0;
    RWRestoreU32(carrier, version);
}

RW_DEFINE_GUTS(GState)

// --- Adding and merging -------------------------------------------------------

uint32_t GState::IndexOfSameKind(const MPersistentObject& object) const {
    const GCountedPtrVector& children = GetChildren();
    const RWClassID typeCode = object.GetTypeCode();
    for (uint32_t i = 0; i < children.Count(); ++i) {
        const MPersistentObject* child = children.At(i).Get();
        // The id first: it is a plain field, the type code a virtual call.
        if (child != nullptr && child->GetId() == object.GetId() && child->GetTypeCode() == typeCode) {
            return i;
        }
    }
    return GCountedPtrVector::kNotFound;
}

void GState::Add(MPersistentObject* object) {
    if (object == nullptr) {
        return;
    }
    // Held at once: an object that is not kept is deleted by this holder,
    // unless someone else holds it too.
    GCountedPtr held(object);
    if (!object->IsKindOf(GAttribute::kClassId)) {
        return;
    }
    const uint32_t index = IndexOfSameKind(*object);
    if (index == GCountedPtrVector::kNotFound) {
        GAttributeComposite::Add(object);
        return;
    }
    GCountedPtr& slot = MutableChildren().At(index);
    if (slot.Get() == object || slot->IsEqualId(object)) {
        return;
    }
    slot = held; // the old child is released after the new one is held
}

void GState::AssignFrom(GAttribute* object) {
    if (object == nullptr || object == this) {
        return;
    }
    if (object->GetTypeCode() != GetTypeCode() || object->GetId() != GetId()) {
        object->SetChanged(1);
        Add(object);
        return;
    }
    const auto* other = dynamic_cast<const GAttributeComposite*>(object);
    if (other == nullptr) {
        return;
    }
    // Walked over a snapshot: merging may change object when it is part of
    // this tree.
    const GCountedPtrVector children(other->GetChildren());
    for (uint32_t i = 0; i < children.Count(); ++i) {
        auto* child = dynamic_cast<GAttribute*>(children.At(i).Get());
        if (child == nullptr) {
            continue;
        }
        const uint32_t index = IndexOfSameKind(*child);
        if (index == GCountedPtrVector::kNotFound) {
            child->SetChanged(1);
            GAttributeComposite::Add(child);
            continue;
        }
        GCountedPtr& slot = MutableChildren().At(index);
        if (slot->IsA() == GState::kClassId) {
            if (auto* nested = dynamic_cast<GAttribute*>(slot.Get())) {
                // Held across the merge: it may replace its own parent's slot.
                const GCountedPtr keep(slot);
                nested->AssignFrom(child);
            }
            continue;
        }
        if (child->IsNotEqualId(slot.Get())) {
            slot = children.At(i);
            child->SetChanged(1);
        }
    }
}
