#pragma once
// One resource mapping (class 1004): a 32-bit value and two 16-bit numbers,
// the second signed.
//
// Saved form, after the root's three words:
//   u32 version (1), u32 value32, u16 first, i16 second.
#include <cstdint>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"

class GResourceMapping : public MPersistentObject {
    MPERSISTENT_CLASS_MEMBERS(GResourceMapping, MPersistentObject, 1004)

public:
    // What a default mapping holds in value32.
    static constexpr uint32_t kDefaultValue32 = 0x0FFFFFFF;

    GResourceMapping() = default;
    GResourceMapping(uint32_t value32, uint16_t first, int16_t second, uint32_t id = 0)
        : MPersistentObject(id), value32_(value32), first_(first), second_(second) {}
    GResourceMapping(const GResourceMapping& other) = default;
    GResourceMapping& operator=(const GResourceMapping& other) = default;
    ~GResourceMapping() override;

    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // Same object; or same IsA, id, value32, first and second.
    bool IsEqualId(const MPersistentObject* other) const override;

    uint16_t GetFirst() const { return first_; }
    int16_t GetSecond() const { return second_; }
    uint32_t GetValue32() const { return value32_; }

private:
    uint32_t value32_ = kDefaultValue32;
    uint16_t first_ = 0;
    int16_t second_ = 0;
};
