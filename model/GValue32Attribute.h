#pragma once
// A 32-bit setting of the settings tree. No device operation takes it: Apply
// answers 0.
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), u32 value
#include <cstdint>

#include "model/GAttribute.h"
#include "model/MPersistentClass.h"

class GValue32Attribute : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GValue32Attribute, GAttribute, 789)

public:
    // Id 0, value 0, changed 1.
    GValue32Attribute() = default;
    // changed 1.
    GValue32Attribute(uint32_t value, uint32_t id);
    GValue32Attribute(const GValue32Attribute& other) = default;
    GValue32Attribute& operator=(const GValue32Attribute& other) = default;
    ~GValue32Attribute() override;

    // GAttribute + 8 (version, value).
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // The same object, or the same class, id and value.
    bool IsEqualId(const MPersistentObject* other) const override;
    RWClassID GetTypeCode() const override { return kClassId; }
    // 0; no device operation is called.
    uint16_t Apply(GPeripheral& device) override;

    uint32_t GetValue() const { return value_; }
    // Never touches `changed`.
    void SetValue(uint32_t value) { value_ = value; }

private:
    uint32_t value_ = 0;
};
