#include "model/GResourceMapping.h"

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

GResourceMapping::~GResourceMapping() = default;

uint32_t GResourceMapping::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 12;
}

void GResourceMapping::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    stream << static_cast<unsigned long>(value32_);
    stream << static_cast<unsigned short>(first_);
    stream << static_cast<short>(second_);
}

void GResourceMapping::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    file.Write(value32_);
    file.Write(first_);
    file.Write(second_);
}

void GResourceMapping::RestoreGuts(RWVirtualInStream& stream) {
    MPersistentObject::RestoreGuts(stream);
    if (!GReadClassVersion(stream, ClassVersion(), ClassVersion())) {
        return;
    }
    unsigned long value32 = 0;
    unsigned short first = 0;
    short second = 0;
    stream >> value32 >> first >> second;
    if (!GRestoreGood(stream)) {
        GMarkRestoreFailed(stream);
        return; // a cut-off mapping keeps its fields
    }
    value32_ = static_cast<uint32_t>(value32);
    first_ = first;
    second_ = second;
}

void GResourceMapping::RestoreGuts(RWBinaryFile& file) {
    MPersistentObject::RestoreGuts(file);
    if (!GReadClassVersion(file, ClassVersion(), ClassVersion())) {
        return;
    }
    uint32_t value32 = 0;
    uint16_t first = 0;
    int16_t second = 0;
    if (!file.Read(value32) || !file.Read(first) || !file.Read(second)) {
        GMarkRestoreFailed(file);
        return;
    }
    value32_ = value32;
    first_ = first;
    second_ = second;
}

bool GResourceMapping::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    const auto* mapping = dynamic_cast<const GResourceMapping*>(other);
    return mapping != nullptr && IsA() == other->IsA() && GetId() == other->GetId() &&
           value32_ == mapping->value32_ && first_ == mapping->first_ && second_ == mapping->second_;
}
