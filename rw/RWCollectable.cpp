#include "rw/RWCollectable.h"

#include <cstdint>
#include <new>

RWCollectable* RWCollectable::NewSpecies() const {
    return new RWCollectable;
}

RWCollectable* RWCollectable::Copy() const {
    return new RWCollectable;
}

RWClassID RWCollectable::IsA() const {
    return __RWCOLLECTABLE;
}

RWCollectable::~RWCollectable() = default;

uint32_t RWCollectable::BinaryStoreSize() const {
    return 0;
}

// Plain collectables have no value: they order and compare by address.
int RWCollectable::CompareTo(const RWCollectable* other) const {
    const auto self = reinterpret_cast<uintptr_t>(this);
    const auto that = reinterpret_cast<uintptr_t>(other);
    if (self == that) return 0;
    return self > that ? 1 : -1;
}

uint32_t RWCollectable::Hash() const {
    const auto address = reinterpret_cast<uintptr_t>(this);
    return static_cast<uint32_t>((address >> 3) ^ address);
}

bool RWCollectable::IsEqual(const RWCollectable* other) const {
    return this == other;
}

void RWCollectable::RestoreGuts(RWVirtualInStream&) {}
void RWCollectable::RestoreGuts(RWBinaryFile&) {}
void RWCollectable::SaveGuts(RWVirtualOutStream&) const {}
void RWCollectable::SaveGuts(RWBinaryFile&) const {}

RWCollectable* RWCollectable::NilObject() {
    // Made on first use in static storage and never destroyed, so a graph
    // saved or restored from a static destructor still finds it, and an
    // unloaded module leaves nothing of it on the heap.
    alignas(RWCollectable) static unsigned char storage[sizeof(RWCollectable)];
    static RWCollectable* const nil = new (storage) RWCollectable;
    return nil;
}

RWCollectable* RWCreateRWCollectable() {
    return new RWCollectable;
}

bool RWIsEqualTester(const RWCollectable* item, const void* argument) {
    return item->IsEqual(static_cast<const RWCollectable*>(argument));
}
