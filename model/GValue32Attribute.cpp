#include "model/GValue32Attribute.h"

GValue32Attribute::GValue32Attribute(uint32_t value, uint32_t id) : GAttribute(id), value_(value) {}

GValue32Attribute::~GValue32Attribute() = default;

uint32_t GValue32Attribute::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + 4;
}

template <class Carrier> void GValue32Attribute::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveU32(carrier, value_);
}

template <class Carrier> void GValue32Attribute::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (GReadClassVersion(carrier)) {
        RWRestoreU32(carrier, value_); // unchanged when cut off
    }
}

RW_DEFINE_GUTS(GValue32Attribute)

bool GValue32Attribute::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || other->GetId() != GetId()) {
        return false;
    }
    const auto* value = dynamic_cast<const GValue32Attribute*>(other);
    return value != nullptr && value->value_ == value_;
}

uint16_t GValue32Attribute::Apply(GPeripheral&) {
    return 0;
}
