#include "model/GStringAttribute.h"

#include <cstring>

#include "device/GPeripheral.h"
#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

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

void GStringAttribute::SaveGuts(RWVirtualOutStream& stream) const {
    GAttribute::SaveGuts(stream);
    GWriteClassVersion(stream);
    value_.SaveOn(stream);
}

void GStringAttribute::SaveGuts(RWBinaryFile& file) const {
    GAttribute::SaveGuts(file);
    GWriteClassVersion(file);
    value_.SaveOn(file);
}

void GStringAttribute::RestoreGuts(RWVirtualInStream& stream) {
    GAttribute::RestoreGuts(stream);
    if (!GReadClassVersion(stream)) {
        return;
    }
    // The string bounds its length by what the stream holds and fails the
    // stream on a bad one.
    value_.RestoreFrom(stream);
}

void GStringAttribute::RestoreGuts(RWBinaryFile& file) {
    GAttribute::RestoreGuts(file);
    if (!GReadClassVersion(file)) {
        return;
    }
    if (!value_.RestoreFrom(file)) {
        GMarkRestoreFailed(file);
    }
}

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
