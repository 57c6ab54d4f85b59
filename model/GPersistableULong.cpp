#include "model/GPersistableULong.h"

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

GPersistableULong::~GPersistableULong() = default;

uint32_t GPersistableULong::BinaryStoreSize() const { return MPersistentObject::BinaryStoreSize() + 8; }

int GPersistableULong::CompareTo(const RWCollectable* other) const {
    if (other == nullptr || other->IsA() != kClassId) {
        return MPersistentObject::CompareTo(other);
    }
    const uint32_t theirs = static_cast<const GPersistableULong*>(other)->value_;
    if (value_ == theirs) {
        return 0;
    }
    return value_ < theirs ? -1 : 1;
}

bool GPersistableULong::IsEqual(const RWCollectable* other) const {
    return other != nullptr && other->IsA() == kClassId && static_cast<const GPersistableULong*>(other)->value_ == value_;
}

bool GPersistableULong::IsEqualId(const MPersistentObject* other) const {
    return other != nullptr && other->IsA() == kClassId && MPersistentObject::IsEqualId(other) &&
           static_cast<const GPersistableULong*>(other)->value_ == value_;
}

void GPersistableULong::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    stream << static_cast<unsigned long>(value_);
}

void GPersistableULong::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    file.Write(value_);
}

void GPersistableULong::RestoreGuts(RWVirtualInStream& stream) {
    MPersistentObject::RestoreGuts(stream);
    if (!GReadClassVersion(stream, ClassVersion(), ClassVersion())) {
        return;
    }
    unsigned long value = 0;
    stream >> value;
    if (!GRestoreGood(stream)) {
        GMarkRestoreFailed(stream);
        return;
    }
    value_ = static_cast<uint32_t>(value);
}

void GPersistableULong::RestoreGuts(RWBinaryFile& file) {
    MPersistentObject::RestoreGuts(file);
    if (!GReadClassVersion(file, ClassVersion(), ClassVersion())) {
        return;
    }
    uint32_t value = 0;
    if (!file.Read(value)) {
        GMarkRestoreFailed(file);
        return;
    }
    value_ = value;
}
