#include "model/GConfiguration.h"

GConfiguration::~GConfiguration() = default;

uint32_t GConfiguration::BinaryStoreSize() const {
    return MPersistentComposite::BinaryStoreSize() + 4;
}

template <class Carrier> void GConfiguration::SaveGutsTo(Carrier& carrier) const {
    MPersistentComposite::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
}

template <class Carrier> void GConfiguration::RestoreGutsFrom(Carrier& carrier) {
    MPersistentComposite::RestoreGuts(carrier);
    GReadClassVersion(carrier, ClassVersion(), ClassVersion()); // no fields of its own
}

RW_DEFINE_GUTS(GConfiguration)

void GConfiguration::Add(MPersistentObject* object) {
    if (object == nullptr) {
        return;
    }
    if (object->IsA() == kClassId) {
        MPersistentComposite::Add(object);
        return;
    }
    // Held while it is compared: a refused object goes with this holder
    // unless someone else holds it too (an object already in the tree).
    GCountedPtr held(object);
    const GCountedPtrVector& children = GetChildren();
    for (uint32_t i = 0; i < children.Count(); ++i) {
        const MPersistentObject* child = children.At(i).Get();
        if (child != nullptr && object->IsEqualId(child)) {
            return;
        }
    }
    MPersistentComposite::Add(object);
}
