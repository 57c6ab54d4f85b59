#include "model/GAttribute.h"

GAttribute::GAttribute() = default;

GAttribute::GAttribute(uint32_t id) : MPersistentObject(id) {}

GAttribute::~GAttribute() = default;

uint32_t GAttribute::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 8;
}

template <class Carrier> void GAttribute::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveU32(carrier, changed_);
}

template <class Carrier> void GAttribute::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        return;
    }
    uint32_t changed = 0;
    if (RWRestoreU32(carrier, changed)) {
        changed_ = changed; // a cut-off record keeps the flag as it was
    }
}

RW_DEFINE_GUTS(GAttribute)

void GAttribute::AssignFrom(GAttribute* object) {
    if (object == nullptr || object == this || !object->IsNotEqualId(this)) {
        return;
    }
    MPersistentObject::operator=(*object);
    changed_ = object->changed_;
}

void RestoreGAttributePtr(RWVirtualInStream& stream, GAttribute*& attribute, RWRestoreHold hold) {
    attribute = nullptr;
    RWRestoreObjectPointerAs(stream, attribute, hold);
}

void RestoreGAttributePtrFromFile(RWBinaryFile& file, GAttribute*& attribute, RWRestoreHold hold) {
    attribute = nullptr;
    RWRestoreObjectPointerAs(file, attribute, hold);
}
