#include "model/GValue32Attribute.h"

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

GValue32Attribute::GValue32Attribute(uint32_t value, uint32_t id) : GAttribute(id), value_(value) {}

GValue32Attribute::~GValue32Attribute() = default;

uint32_t GValue32Attribute::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + 4;
}

void GValue32Attribute::SaveGuts(RWVirtualOutStream& stream) const {
    GAttribute::SaveGuts(stream);
    GWriteClassVersion(stream);
    stream << static_cast<unsigned long>(value_);
}

void GValue32Attribute::SaveGuts(RWBinaryFile& file) const {
    GAttribute::SaveGuts(file);
    GWriteClassVersion(file);
    file.Write(value_);
}

void GValue32Attribute::RestoreGuts(RWVirtualInStream& stream) {
    GAttribute::RestoreGuts(stream);
    if (!GReadClassVersion(stream)) {
        return;
    }
    unsigned long value = 0;
    stream >> value;
    if (GRestoreGood(stream)) {
        value_ = static_cast<uint32_t>(value);
    }
}

void GValue32Attribute::RestoreGuts(RWBinaryFile& file) {
    GAttribute::RestoreGuts(file);
    if (!GReadClassVersion(file)) {
        return;
    }
    uint32_t value = 0;
    if (file.Read(value)) {
        value_ = value;
    }
}

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
