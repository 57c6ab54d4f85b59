#include "driver/GProvider.h"

GProvider::~GProvider() = default;

void* GProvider::CreateDataSource(void*, const RWCString&, uint32_t, const void*) {
    return nullptr;
}

void* GProvider::Query(void*, const RWCString&, uint32_t, const void*) {
    return nullptr;
}

int GProvider::IsAvailable(uint32_t mask) {
    return (mask & ~GetMask()) == 0 ? 1 : 0;
}

uint32_t GProvider::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 4;
}

bool GProvider::IsEqualId(const MPersistentObject*) const {
    return false;
}

template <class Carrier> void GProvider::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier);
}

template <class Carrier> void GProvider::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    GReadClassVersion(carrier);
}

RW_DEFINE_GUTS(GProvider)
