#pragma once
// One unsigned 32-bit number as a persistent object (class 778), so a plain
// number can live in composites and collections and be saved with a graph.
//
// Saved form, after the root's three words: u32 version (1), the value as
// a unsigned 32-bit word.
//
// Objects of this class compare by value (CompareTo, IsEqual, IsEqualId)
// but hash by address, as every collectable does.
#include <cstdint>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"

class GPersistableULong : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GPersistableULong, MPersistentObject, 778)

public:
    GPersistableULong() = default;
    explicit GPersistableULong(uint32_t value) : value_(value) {}
    GPersistableULong(const GPersistableULong& other) = default;
    GPersistableULong& operator=(const GPersistableULong& other) = default;
    ~GPersistableULong() override;

    uint32_t BinaryStoreSize() const override;
    // Against another object of this class: 0 for equal values, -1 when
    // this value is smaller, 1 when larger (unsigned). Against any other
    // object: the root's comparison.
    int CompareTo(const RWCollectable* other) const override;
    // Same class and same value.
    bool IsEqual(const RWCollectable* other) const override;
    void SaveGuts(RWVirtualOutStream& stream) const override;
    void SaveGuts(RWBinaryFile& file) const override;
    // Another version word leaves the value as it was.
    void RestoreGuts(RWVirtualInStream& stream) override;
    void RestoreGuts(RWBinaryFile& file) override;

    // Same class, the root's equality (id) and the same value.
    bool IsEqualId(const MPersistentObject* other) const override;

    uint32_t GetValue() const { return value_; }

private:
    uint32_t value_ = 0;
};
