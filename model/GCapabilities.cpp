#include "model/GCapabilities.h"

#include <algorithm>
#include <vector>

GCapabilities::GCapabilities(uint32_t id, uint32_t length)
    : MPersistentObject(id), bits_(std::min(length, kMaxBits)) {}

GCapabilities::GCapabilities(uint32_t id, uint32_t length, uint32_t index) : GCapabilities(id, length) {
    SetBit(index);
}

GCapabilities::GCapabilities(uint32_t id, uint32_t length, const uint32_t* indexes, uint16_t count)
    : GCapabilities(id, length) {
    SetBits(indexes, count);
}

GCapabilities::~GCapabilities() = default;

// --- Bit operations ------------------------------------------------------------

void GCapabilities::SetBit(uint32_t index) {
    if (index >= kMaxBits) {
        return;
    }
    if (index >= bits_.Length()) {
        bits_.Resize(index + 1);
    }
    bits_.SetBit(index);
}

void GCapabilities::SetBits(const uint32_t* indexes, uint16_t count) {
    if (indexes == nullptr || count == 0) {
        return;
    }
    uint32_t needed = 0;
    for (uint16_t i = 0; i < count; ++i) {
        if (indexes[i] < kMaxBits) {
            needed = std::max(needed, indexes[i] + 1);
        }
    }
    if (needed > bits_.Length()) {
        bits_.Resize(needed);
    }
    for (uint16_t i = 0; i < count; ++i) {
        if (indexes[i] < kMaxBits) {
            bits_.SetBit(indexes[i]);
        }
    }
}

void GCapabilities::ClearBit(uint32_t index) {
    if (index < bits_.Length()) {
        bits_.ClearBit(index);
    }
}

void GCapabilities::ClearBits(const uint32_t* indexes, uint16_t count) {
    if (indexes == nullptr) {
        return;
    }
    for (uint16_t i = 0; i < count; ++i) {
        ClearBit(indexes[i]);
    }
}

int GCapabilities::TestBit(uint32_t index) const {
    return index < bits_.Length() && bits_.TestBit(index) ? 1 : 0;
}

int GCapabilities::TestAll(const uint32_t* indexes, uint16_t count) const {
    if (count == 0) {
        return 1;
    }
    if (indexes == nullptr) {
        return 0;
    }
    for (uint16_t i = 0; i < count; ++i) {
        if (TestBit(indexes[i]) == 0) {
            return 0;
        }
    }
    return 1;
}

int GCapabilities::TestAny(const uint32_t* indexes, uint16_t count) const {
    if (indexes == nullptr) {
        return 0;
    }
    for (uint16_t i = 0; i < count; ++i) {
        if (TestBit(indexes[i]) != 0) {
            return 1;
        }
    }
    return 0;
}

int GCapabilities::AllInRange(const uint32_t* indexes, uint16_t count) const {
    if (count == 0) {
        return 1;
    }
    if (indexes == nullptr) {
        return 0;
    }
    for (uint16_t i = 0; i < count; ++i) {
        if (indexes[i] >= bits_.Length()) {
            return 0;
        }
    }
    return 1;
}

uint32_t GCapabilities::CountSet() const {
    return static_cast<uint32_t>(bits_.CountSet());
}

bool GCapabilities::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    const auto* capabilities = dynamic_cast<const GCapabilities*>(other);
    return capabilities != nullptr && IsA() == other->IsA() && GetId() == other->GetId() &&
           bits_ == capabilities->bits_;
}

// --- Persistence -------------------------------------------------------------------

namespace {

// Byte i of the set as saved: the unused bits of the last byte are 0, so
// the same set always saves the same bytes.
unsigned char SavedByte(const RWBitVector& bits, size_t i) {
    unsigned char byte = bits.Data()[i];
    const uint32_t used = bits.Length() - static_cast<uint32_t>(i) * 8;
    if (used < 8) {
        byte &= static_cast<unsigned char>((1u << used) - 1);
    }
    return byte;
}

} // namespace

uint32_t GCapabilities::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 8 + static_cast<uint32_t>(bits_.NumBytes());
}

template <class Carrier> void GCapabilities::SaveGutsTo(Carrier& carrier) const {
    MPersistentObject::SaveGuts(carrier);
    GWriteClassVersion(carrier, ClassVersion());
    RWSaveU32(carrier, bits_.Length());
    for (size_t i = 0; i < bits_.NumBytes(); ++i) {
        RWSaveChar(carrier, static_cast<char>(SavedByte(bits_, i)));
    }
}

template <class Carrier> void GCapabilities::RestoreGutsFrom(Carrier& carrier) {
    MPersistentObject::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier, ClassVersion(), ClassVersion())) {
        return;
    }
    uint32_t length = 0;
    if (!RWRestoreU32(carrier, length) || length == 0) {
        return; // a stored length of 0 leaves the set as it was
    }
    if (length > kMaxBits) {
        GMarkRestoreFailed(carrier); // damaged data: no set is this long
        return;
    }
    std::vector<char> bytes(RWBitVector::ByteCount(length));
    if (RWRestoreChars(carrier, bytes.data(), bytes.size())) {
        bits_ = RWBitVector(reinterpret_cast<const unsigned char*>(bytes.data()), length);
    }
}

RW_DEFINE_GUTS(GCapabilities)
