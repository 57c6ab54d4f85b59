#include "model/GPersistableLong.h"

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

GPersistableLong::~GPersistableLong() = default;

uint32_t GPersistableLong::BinaryStoreSize() const { return MPersistentObject::BinaryStoreSize() + 8; }

int GPersistableLong::CompareTo(const RWCollectable* other) const {
    if (other == nullptr || other->IsA() != kClassId) {
        return MPersistentObject::CompareTo(other);
    }
    const int32_t theirs = static_cast<const GPersistableLong*>(other)->value_;
    if (value_ == theirs) {
        return 0;
    }
    return value_ < theirs ? -1 : 1;
}

bool GPersistableLong::IsEqual(const RWCollectable* other) const {
    return other != nullptr && other->IsA() == kClassId && static_cast<const GPersistableLong*>(other)->value_ == value_;
}

bool GPersistableLong::IsEqualId(const MPersistentObject* other) const {
    return other != nullptr && other->IsA() == kClassId && MPersistentObject::IsEqualId(other) &&
           static_cast<const GPersistableLong*>(other)->value_ == value_;
}

void GPersistableLong::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    stream << static_cast<long>(value_);
}

void GPersistableLong::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    file.Write(value_);
}

void GPersistableLong::RestoreGuts(RWVirtualInStream& stream) {
    MPersistentObject::RestoreGuts(stream);
    if (!GReadClassVersion(stream, ClassVersion(), ClassVersion())) {
        return;
    }
    long value = 0;
    stream >> value;
    if (!GRestoreGood(stream)) {
        GMarkRestoreFailed(stream);
        return;
    }
    value_ = static_cast<int32_t>(value);
}

void GPersistableLong::RestoreGuts(RWBinaryFile& file) {
    MPersistentObject::RestoreGuts(file);
    if (!GReadClassVersion(file, ClassVersion(), ClassVersion())) {
        return;
    }
    int32_t value = 0;
    if (!file.Read(value)) {
        GMarkRestoreFailed(file);
        return;
    }
    value_ = value;
}
