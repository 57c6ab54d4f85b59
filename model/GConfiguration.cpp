#include "model/GConfiguration.h"

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

GConfiguration::~GConfiguration() = default;

uint32_t GConfiguration::BinaryStoreSize() const {
    return MPersistentComposite::BinaryStoreSize() + 4;
}

void GConfiguration::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentComposite::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
}

void GConfiguration::SaveGuts(RWBinaryFile& file) const {
    MPersistentComposite::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
}

void GConfiguration::RestoreGuts(RWVirtualInStream& stream) {
    MPersistentComposite::RestoreGuts(stream);
    GReadClassVersion(stream, ClassVersion(), ClassVersion()); // no fields of its own
}

void GConfiguration::RestoreGuts(RWBinaryFile& file) {
    MPersistentComposite::RestoreGuts(file);
    GReadClassVersion(file, ClassVersion(), ClassVersion());
}

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
