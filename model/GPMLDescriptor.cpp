#include "model/GPMLDescriptor.h"

#include <cstring>

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

GPMLDescriptor::~GPMLDescriptor() = default;

bool GPMLDescriptor::IsEqualId(const MPersistentObject* other) const {
    const auto* descriptor = dynamic_cast<const GPMLDescriptor*>(other);
    return descriptor != nullptr && IsA() == other->IsA() && GetId() == other->GetId() &&
           wideName_.Length() == descriptor->wideName_.Length() &&
           std::memcmp(wideName_.Data(), descriptor->wideName_.Data(),
                       wideName_.Length() * sizeof(char16_t)) == 0;
}

int GPMLDescriptor::IsLessThan(const MPersistentObject* other) const {
    const auto* descriptor = dynamic_cast<const GPMLDescriptor*>(other);
    return descriptor != nullptr && wideName_.CompareTo(descriptor->wideName_, RWExact) < 0 ? 1 : 0;
}

uint32_t GPMLDescriptor::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 2 * static_cast<uint32_t>(wideName_.Length()) +
           static_cast<uint32_t>(name_.Length()) + 16;
}

void GPMLDescriptor::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    wideName_.SaveOn(stream);
    stream << static_cast<int>(value_);
    name_.SaveOn(stream);
}

void GPMLDescriptor::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    wideName_.SaveOn(file);
    file.Write(static_cast<int32_t>(value_));
    name_.SaveOn(file);
}

void GPMLDescriptor::RestoreGuts(RWVirtualInStream& stream) {
    MPersistentObject::RestoreGuts(stream);
    if (!GReadClassVersion(stream, ClassVersion(), ClassVersion())) {
        return;
    }
    RWWString wideName;
    int value = 0;
    RWCString name;
    wideName.RestoreFrom(stream);
    stream >> value;
    name.RestoreFrom(stream);
    if (!GRestoreGood(stream)) {
        GMarkRestoreFailed(stream);
        return; // a cut-off record keeps the old fields
    }
    wideName_ = wideName;
    value_ = static_cast<uint32_t>(value);
    name_ = name;
}

void GPMLDescriptor::RestoreGuts(RWBinaryFile& file) {
    MPersistentObject::RestoreGuts(file);
    if (!GReadClassVersion(file, ClassVersion(), ClassVersion())) {
        return;
    }
    RWWString wideName;
    int32_t value = 0;
    RWCString name;
    if (!wideName.RestoreFrom(file) || !file.Read(value) || !name.RestoreFrom(file)) {
        GMarkRestoreFailed(file);
        return;
    }
    wideName_ = wideName;
    value_ = static_cast<uint32_t>(value);
    name_ = name;
}
