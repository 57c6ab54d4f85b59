#include "rw/RWBitVector.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "rw/RWDefs.h"
#include "rw/RWErrorHandler.h"

void RWBitAnd(uint8_t* dst, const uint8_t* src, size_t n) {
    for (size_t i = 0; i < n; ++i)
        dst[i] &= src[i];
}

void RWBitOr(uint8_t* dst, const uint8_t* src, size_t n) {
    for (size_t i = 0; i < n; ++i)
        dst[i] |= src[i];
}

void RWBitXor(uint8_t* dst, const uint8_t* src, size_t n) {
    for (size_t i = 0; i < n; ++i)
        dst[i] ^= src[i];
}

namespace {
std::unique_ptr<uint8_t[]> NewBytes(size_t count) {
    return std::unique_ptr<uint8_t[]>(count != 0 ? new uint8_t[count]() : nullptr);
}
} // namespace

RWBitVector::RWBitVector(uint32_t n) : bytes_(NewBytes(ByteCount(n))), bits_(n) {}

RWBitVector::RWBitVector(uint32_t n, bool value) : RWBitVector(n) {
    SetAll(value);
}

RWBitVector::RWBitVector(const uint8_t* bytes, uint32_t n) : RWBitVector(n) {
    if (bytes_ != nullptr && bytes != nullptr) std::memcpy(bytes_.get(), bytes, NumBytes());
}

RWBitVector::RWBitVector(const RWBitVector& other) : RWBitVector(other.bytes_.get(), other.bits_) {}

RWBitVector::RWBitVector(RWBitVector&& other) noexcept
    : bytes_(std::move(other.bytes_)), bits_(std::exchange(other.bits_, 0)) {}

RWBitVector& RWBitVector::operator=(const RWBitVector& other) {
    if (this != &other) *this = RWBitVector(other);
    return *this;
}

RWBitVector& RWBitVector::operator=(RWBitVector&& other) noexcept {
    if (this != &other) {
        bytes_ = std::move(other.bytes_);
        bits_ = std::exchange(other.bits_, 0);
    }
    return *this;
}

RWBitVector::~RWBitVector() = default;

void RWBitVector::BoundsCheck(size_t i) const {
    if (i < bits_) return;
    RWThrowIndexError(i == 0xFFFFFFFFu ? RW_NPOS : i, bits_);
}

bool RWBitVector::TestBit(size_t i) const {
    BoundsCheck(i);
    return (bytes_[i >> 3] >> (i & 7)) & 1;
}

void RWBitVector::SetBit(size_t i) {
    BoundsCheck(i);
    bytes_[i >> 3] |= static_cast<uint8_t>(1u << (i & 7));
}

void RWBitVector::ClearBit(size_t i) {
    BoundsCheck(i);
    bytes_[i >> 3] &= static_cast<uint8_t>(~(1u << (i & 7)));
}

void RWBitVector::SetBit(size_t i, bool value) {
    if (value) {
        SetBit(i);
    } else {
        ClearBit(i);
    }
}

void RWBitVector::SetAll(bool value) {
    if (bytes_ != nullptr) std::memset(bytes_.get(), value ? 0xFF : 0x00, NumBytes());
}

uint8_t RWBitVector::LastByteMask() const {
    const unsigned used = bits_ & 7;
    return used == 0 ? 0xFF : static_cast<uint8_t>((1u << used) - 1);
}

bool RWBitVector::IsAll(bool value) const {
    const size_t count = NumBytes();
    if (count == 0) return true;
    const uint8_t whole = value ? 0xFF : 0x00;
    for (size_t i = 0; i + 1 < count; ++i) {
        if (bytes_[i] != whole) return false;
    }
    const uint8_t mask = LastByteMask();
    return (bytes_[count - 1] & mask) == (whole & mask);
}

size_t RWBitVector::CountSet() const {
    const size_t count = NumBytes();
    if (count == 0) return 0;
    size_t set = 0;
    for (size_t i = 0; i + 1 < count; ++i)
        set += std::popcount(bytes_[i]);
    return set + std::popcount(static_cast<uint8_t>(bytes_[count - 1] & LastByteMask()));
}

void RWBitVector::Resize(uint32_t n) {
    if (n == bits_) return;
    const uint32_t old = bits_;
    const size_t oldCount = NumBytes();
    const size_t newCount = ByteCount(n);
    if (newCount != oldCount) {
        std::unique_ptr<uint8_t[]> bytes = NewBytes(newCount);
        if (bytes != nullptr && bytes_ != nullptr)
            std::memcpy(bytes.get(), bytes_.get(), std::min(oldCount, newCount));
        bytes_ = std::move(bytes);
    }
    bits_ = n;
    // Growing within or past the old last byte: the bits above the old length
    // (which a complement or a whole-byte fill may have set) come into range
    // and must read as clear.
    if (n > old && (old & 7) != 0) {
        bytes_[old >> 3] &= static_cast<uint8_t>((1u << (old & 7)) - 1);
    }
}

uint32_t RWBitVector::Hash() const {
    uint32_t h = bits_;
    const size_t whole = bits_ >> 3;
    for (size_t i = 0; i < whole; ++i)
        h = bytes_[i] ^ std::rotr(h, 27);
    if ((bits_ & 7) != 0) h = (bytes_[whole] & LastByteMask()) ^ std::rotr(h, 27);
    return h;
}

bool RWBitVector::operator==(const RWBitVector& other) const {
    if (bits_ != other.bits_) return false;
    const size_t count = NumBytes();
    if (count == 0) return true;
    if (count > 1 && std::memcmp(bytes_.get(), other.bytes_.get(), count - 1) != 0) return false;
    const uint8_t mask = LastByteMask();
    return (bytes_[count - 1] & mask) == (other.bytes_[count - 1] & mask);
}

RWBitVector RWBitVector::operator~() const {
    RWBitVector result(*this);
    for (size_t i = 0; i < result.NumBytes(); ++i)
        result.bytes_[i] = static_cast<uint8_t>(~result.bytes_[i]);
    return result;
}

void RWBitVector::CheckSameLength(const RWBitVector& other) const {
    if (bits_ != other.bits_) {
        RWThrowCatalog<RWInternalError>(RWTOOL_NEVECL(), static_cast<unsigned>(bits_),
                                        static_cast<unsigned>(other.bits_));
    }
}

RWBitVector& RWBitVector::operator&=(const RWBitVector& other) {
    CheckSameLength(other);
    RWBitAnd(bytes_.get(), other.bytes_.get(), NumBytes());
    return *this;
}

RWBitVector& RWBitVector::operator|=(const RWBitVector& other) {
    CheckSameLength(other);
    RWBitOr(bytes_.get(), other.bytes_.get(), NumBytes());
    return *this;
}

RWBitVector& RWBitVector::operator^=(const RWBitVector& other) {
    CheckSameLength(other);
    RWBitXor(bytes_.get(), other.bytes_.get(), NumBytes());
    return *this;
}

RWBitVector operator&(const RWBitVector& a, const RWBitVector& b) {
    RWBitVector result(a);
    result &= b;
    return result;
}

RWBitVector operator|(const RWBitVector& a, const RWBitVector& b) {
    RWBitVector result(a);
    result |= b;
    return result;
}

RWBitVector operator^(const RWBitVector& a, const RWBitVector& b) {
    RWBitVector result(a);
    result ^= b;
    return result;
}
