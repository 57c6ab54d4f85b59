#pragma once
// A named set of capability flags (class 1003): the root's id word and a
// growable bit vector, tested by bit index.
//
// Saved form, after the root's three words:
//   u32 version (1)
//   u32 length in bits
//   (length + 7) / 8 bytes: bit i is bit (i % 8), least significant first,
//     of byte i / 8; the unused high bits of the last byte are written 0.
// A stored length of 0 leaves the set as it was. Stored lengths above
// kMaxBits are refused: the stream is failed and the set left as it was.
//
// Every set stays within kMaxBits, so whatever is saved can be restored: the
// constructors clamp the length, and the set operations ignore indexes at or
// past kMaxBits (a test of such an index is false, as for any index past the
// end).
#include <cstdint>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"
#include "rw/RWBitVector.h"

class GCapabilities : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GCapabilities, MPersistentObject, 1003)

public:
    // The longest set: far beyond any capability number in use.
    static constexpr uint32_t kMaxBits = 65536;

    GCapabilities() = default;
    explicit GCapabilities(uint32_t id) : MPersistentObject(id) {}
    // length clear bits.
    GCapabilities(uint32_t id, uint32_t length);
    // length clear bits, then SetBit(index).
    GCapabilities(uint32_t id, uint32_t length, uint32_t index);
    // length clear bits, then SetBits(indexes, count).
    GCapabilities(uint32_t id, uint32_t length, const uint32_t* indexes, uint16_t count);
    GCapabilities(const GCapabilities& other) = default;
    GCapabilities& operator=(const GCapabilities& other) = default;
    ~GCapabilities() override;

    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // Same object; or same IsA, same id, and bit vectors of the same length
    // holding the same bits.
    bool IsEqualId(const MPersistentObject* other) const override;

    // Grows the set to index + 1 bits (new bits clear) when the index is at
    // or past the length, then sets the bit.
    void SetBit(uint32_t index);
    // Grows the set to one more than the largest listed index when that
    // exceeds the length, then sets every listed bit. A null list or a
    // count of 0 does nothing.
    void SetBits(const uint32_t* indexes, uint16_t count);
    // Clears the bit(s) below the length; other indexes are ignored.
    void ClearBit(uint32_t index);
    void ClearBits(const uint32_t* indexes, uint16_t count);
    // 1 when the index is below the length and the bit is set, else 0.
    int TestBit(uint32_t index) const;
    // 1 when every listed bit is below the length and set (count 0: 1).
    int TestAll(const uint32_t* indexes, uint16_t count) const;
    // 1 when some listed bit is below the length and set (count 0: 0).
    int TestAny(const uint32_t* indexes, uint16_t count) const;
    // 1 when every listed index is below the length (count 0: 1).
    int AllInRange(const uint32_t* indexes, uint16_t count) const;
    uint32_t GetLength() const { return bits_.Length(); }
    uint32_t CountSet() const;
    const RWBitVector& GetBits() const { return bits_; }

private:
    RWBitVector bits_;
};
