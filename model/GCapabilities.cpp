#include "model/GCapabilities.h"

#include <algorithm>
#include <vector>

#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

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

bool ReadLength(RWVirtualInStream& stream, uint32_t& length) {
    unsigned int word = 0;
    stream >> word;
    length = word;
    return GRestoreGood(stream);
}

bool ReadLength(RWBinaryFile& file, uint32_t& length) {
    return file.Read(length);
}

bool ReadBytes(RWVirtualInStream& stream, std::vector<unsigned char>& bytes) {
    for (unsigned char& byte : bytes) {
        stream >> byte;
        if (!GRestoreGood(stream)) {
            return false;
        }
    }
    return true;
}

bool ReadBytes(RWBinaryFile& file, std::vector<unsigned char>& bytes) {
    return file.Read(bytes.data(), bytes.size());
}

} // namespace

uint32_t GCapabilities::BinaryStoreSize() const {
    return MPersistentObject::BinaryStoreSize() + 8 + static_cast<uint32_t>(bits_.NumBytes());
}

void GCapabilities::SaveGuts(RWVirtualOutStream& stream) const {
    MPersistentObject::SaveGuts(stream);
    GWriteClassVersion(stream, ClassVersion());
    stream << static_cast<unsigned int>(bits_.Length());
    for (size_t i = 0; i < bits_.NumBytes(); ++i) {
        stream << SavedByte(bits_, i);
    }
}

void GCapabilities::SaveGuts(RWBinaryFile& file) const {
    MPersistentObject::SaveGuts(file);
    GWriteClassVersion(file, ClassVersion());
    file.Write(bits_.Length());
    for (size_t i = 0; i < bits_.NumBytes(); ++i) {
        file.Write(SavedByte(bits_, i));
    }
}

template <typename Source> void GCapabilities::RestoreBits(Source& source) {
    MPersistentObject::RestoreGuts(source);
    if (!GReadClassVersion(source, ClassVersion(), ClassVersion())) {
        return;
    }
    uint32_t length = 0;
    if (!ReadLength(source, length)) {
        GMarkRestoreFailed(source);
        return;
    }
    if (length == 0) {
        return; // the set stays as it was
    }
    if (length > kMaxBits) {
        GMarkRestoreFailed(source); // damaged data: no set is this long
        return;
    }
    std::vector<unsigned char> bytes(RWBitVector::ByteCount(length));
    if (!ReadBytes(source, bytes)) {
        GMarkRestoreFailed(source);
        return;
    }
    bits_ = RWBitVector(bytes.data(), length);
}

void GCapabilities::RestoreGuts(RWVirtualInStream& stream) {
    RestoreBits(stream);
}

void GCapabilities::RestoreGuts(RWBinaryFile& file) {
    RestoreBits(file);
}
