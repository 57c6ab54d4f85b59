#include "model/GValueAttribute.h"

#include "pipeline/GPeripheral.h"

GValueAttribute::GValueAttribute(uint16_t value, uint32_t id) : GAttribute(id), value_(value) {}

GValueAttribute::~GValueAttribute() = default;

uint32_t GValueAttribute::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + 2;
}

template <class Carrier> void GValueAttribute::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveU16(carrier, value_);
}

template <class Carrier> void GValueAttribute::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) {
        return;
    }
    RWRestoreU16(carrier, value_); // unchanged when cut off
}

RW_DEFINE_GUTS(GValueAttribute)

bool GValueAttribute::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || other->GetId() != GetId()) {
        return false;
    }
    const auto* value = dynamic_cast<const GValueAttribute*>(other);
    return value != nullptr && value->value_ == value_;
}

uint16_t GValueAttribute::Apply(GPeripheral& device) {
    return device.OnValueAttribute(*this);
}
