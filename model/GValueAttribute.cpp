#include "model/GValueAttribute.h"

#include "device/GPeripheral.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

GValueAttribute::GValueAttribute(uint16_t value, uint32_t id) : GAttribute(id), value_(value) {}

GValueAttribute::~GValueAttribute() = default;

uint32_t GValueAttribute::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + 2;
}

void GValueAttribute::SaveGuts(RWVirtualOutStream& stream) const {
    GAttribute::SaveGuts(stream);
    GWriteClassVersion(stream);
    stream << static_cast<unsigned short>(value_);
}

void GValueAttribute::SaveGuts(RWBinaryFile& file) const {
    GAttribute::SaveGuts(file);
    GWriteClassVersion(file);
    file.Write(value_);
}

void GValueAttribute::RestoreGuts(RWVirtualInStream& stream) {
    GAttribute::RestoreGuts(stream);
    if (!GReadClassVersion(stream)) {
        return;
    }
    unsigned short value = 0;
    stream >> value;
    if (GRestoreGood(stream)) {
        value_ = value;
    }
}

void GValueAttribute::RestoreGuts(RWBinaryFile& file) {
    GAttribute::RestoreGuts(file);
    if (!GReadClassVersion(file)) {
        return;
    }
    uint16_t value = 0;
    if (file.Read(value)) {
        value_ = value;
    }
}

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
