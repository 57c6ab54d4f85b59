#include "model/GStringAttribute.h"

#include <cstring>

#include "pipeline/GPeripheral.h"

GStringAttribute::GStringAttribute(const char* text, uint32_t id)
    : GAttribute(id), value_(text != nullptr ? text : "") {}

GStringAttribute::GStringAttribute(const RWCString& text, uint32_t id) : GAttribute(id), value_(text) {}

GStringAttribute& GStringAttribute::operator=(const GStringAttribute& other) {
    if (this != &other) {
        GAttribute::operator=(other);
        value_ = other.value_;
    }
    return *this;
}

GStringAttribute::~GStringAttribute() = default;

void GStringAttribute::SetText(const char* text) {
    value_ = text != nullptr ? text : "";
}

uint32_t GStringAttribute::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 8 + static_cast<uint32_t>(value_.Length());
}

template <class Carrier> void GStringAttribute::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveString(carrier, value_);
}

template <class Carrier> void GStringAttribute::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (GReadClassVersion(carrier)) {
        // The string bounds its length by what the carrier holds and fails
        // the restore on a bad one (it is left empty then).
        RWRestoreString(carrier, value_);
    }
}

RW_DEFINE_GUTS(GStringAttribute)

bool GStringAttribute::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || other->GetId() != GetId()) {
        return false;
    }
    const auto* text = dynamic_cast<const GStringAttribute*>(other);
    return text != nullptr && text->value_.Length() == value_.Length() &&
           std::memcmp(text->value_.Data(), value_.Data(), value_.Length()) == 0;
}

uint16_t GStringAttribute::Apply(GPeripheral& device) {
    return device.OnStringAttribute(*this);
}
