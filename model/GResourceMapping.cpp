#include "model/GResourceMapping.h"

GResourceMapping::~GResourceMapping() = default;

uint32_t GResourceMapping::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 12;
}

template <class Carrier> void GResourceMapping::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveU32(carrier, value32_);
    RWSaveU16(carrier, first_);
    RWSaveI16(carrier, second_);
}

template <class Carrier> void GResourceMapping::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        return;
    }
    uint32_t value32 = 0;
    uint16_t first = 0;
    int16_t second = 0;
    if (RWRestoreU32(carrier, value32) && RWRestoreU16(carrier, first) && RWRestoreI16(carrier, second)) {
        value32_ = value32;
        first_ = first;
        second_ = second;
    } // a cut-off mapping keeps its fields
}

RW_DEFINE_GUTS(GResourceMapping)

bool GResourceMapping::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    const auto* mapping = dynamic_cast<const GResourceMapping*>(other);
    return mapping != nullptr && IsA() == other->IsA() && GetId() == other->GetId() &&
           value32_ == mapping->value32_ && first_ == mapping->first_ && second_ == mapping->second_;
}
