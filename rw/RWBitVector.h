#pragma once
// A vector of bits (not a collectable). Bit i is bit (i & 7) of byte i >> 3,
// least significant first; this order is persisted by the capability sets.
// The bits above the length in the last byte may hold anything: every
// comparison, count and hash masks them out, and growing clears them.
#include <cstddef>
#include <cstdint>
#include <memory>

// Combine n bytes of src into dst.
void RWBitAnd(uint8_t* dst, const uint8_t* src, size_t n);
void RWBitOr(uint8_t* dst, const uint8_t* src, size_t n);
void RWBitXor(uint8_t* dst, const uint8_t* src, size_t n);

class RWBitVector {
public:
    // n bits, all clear.
    explicit RWBitVector(uint32_t n = 0);
    // n bits, all set to value.
    RWBitVector(uint32_t n, bool value);
    // n bits copied from (n + 7) / 8 bytes (all clear when bytes is null).
    RWBitVector(const uint8_t* bytes, uint32_t n);
    RWBitVector(const RWBitVector& other);
    RWBitVector(RWBitVector&& other) noexcept;
    RWBitVector& operator=(const RWBitVector& other);
    RWBitVector& operator=(RWBitVector&& other) noexcept;
    ~RWBitVector();

    uint32_t Length() const { return bits_; }
    size_t NumBytes() const { return ByteCount(bits_); }
    // The byte array (null for 0 bits).
    uint8_t* Data() { return bytes_.get(); }
    const uint8_t* Data() const { return bytes_.get(); }

    // Checked bit access: INDEXERR (index, length) or NPOSINDEX.
    bool TestBit(size_t i) const;
    void SetBit(size_t i);
    void ClearBit(size_t i);
    void SetBit(size_t i, bool value);

    void SetAll(bool value);
    bool IsAll(bool value) const;
    // Number of set bits.
    size_t CountSet() const;
    // New length n. Bits that come into range are clear.
    void Resize(uint32_t n);

    // h = length; h = b xor rotr(h, 27) for each whole byte, then for the
    // masked partial byte.
    uint32_t Hash() const;

    bool operator==(const RWBitVector& other) const;
    bool operator!=(const RWBitVector& other) const { return !(*this == other); }

    // Complement: every bit inverted.
    RWBitVector operator~() const;
    // Unequal lengths raise NEVECL (this length, other length).
    RWBitVector& operator&=(const RWBitVector& other);
    RWBitVector& operator|=(const RWBitVector& other);
    RWBitVector& operator^=(const RWBitVector& other);

    // Raises INDEXERR / NPOSINDEX when i is not below the length.
    void BoundsCheck(size_t i) const;

    // Bytes that hold n bits (worked out in size_t, so no length wraps).
    static size_t ByteCount(uint32_t n) { return (static_cast<size_t>(n) + 7) / 8; }

private:
    void CheckSameLength(const RWBitVector& other) const;
    // Mask of the used bits of the last byte (0xFF when the length is a
    // multiple of 8).
    uint8_t LastByteMask() const;

    std::unique_ptr<uint8_t[]> bytes_;
    uint32_t bits_ = 0;
};

// A copy of a combined with b; unequal lengths raise NEVECL.
RWBitVector operator&(const RWBitVector& a, const RWBitVector& b);
RWBitVector operator|(const RWBitVector& a, const RWBitVector& b);
RWBitVector operator^(const RWBitVector& a, const RWBitVector& b);
