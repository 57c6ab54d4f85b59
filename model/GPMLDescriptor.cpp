#include "model/GPMLDescriptor.h"

#include <cstring>

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

template <class Carrier> void GPMLDescriptor::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveString(carrier, wideName_);
    RWSaveI32(carrier, static_cast<int32_t>(value_));
    RWSaveString(carrier, name_);
}

template <class Carrier> void GPMLDescriptor::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        return;
    }
    RWWString wideName;
    int32_t value = 0;
    RWCString name;
    if (RWRestoreString(carrier, wideName) && RWRestoreI32(carrier, value) &&
        RWRestoreString(carrier, name)) {
        wideName_ = wideName;
        value_ = static_cast<uint32_t>(value);
        name_ = name;
    } // a cut-off record keeps the old fields
}

RW_DEFINE_GUTS(GPMLDescriptor)
