#pragma once
// A 16-bit setting of the settings tree: a choice code, a count, a flag.
// The most read class of the system: option controls, availability rules,
// configuration mappers and writers all read settings through GetValue.
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), u16 value
#include <cstdint>

#include "model/GAttribute.h"
#include "model/MPersistentClass.h"

class GValueAttribute : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GValueAttribute, GAttribute, 763)

public:
    // Id 0, value 0, changed 1.
    GValueAttribute() = default;
    // changed 1.
    GValueAttribute(uint16_t value, uint32_t id);
    GValueAttribute(const GValueAttribute& other) = default;
    GValueAttribute& operator=(const GValueAttribute& other) = default;
    ~GValueAttribute() override;

    // GAttribute + 6 (version, value).
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // The same object, or the same class, id and value (changed and serial
    // are not compared).
    bool IsEqualId(const MPersistentObject* other) const override;
    // Subclasses compare as this type.
    RWClassID GetTypeCode() const override { return kClassId; }
    // The device's value-attribute operation; its status.
    uint16_t Apply(GPeripheral& device) override;

    uint16_t GetValue() const { return value_; }
    // The setters never touch `changed`.
    void SetValue(uint16_t value) { value_ = value; }
    // 1 for any non-zero argument, else 0.
    void SetBool(uint32_t value) { value_ = value != 0 ? 1 : 0; }
    bool IsTrue() const { return value_ != 0; }
    bool IsFalse() const { return value_ == 0; }

private:
    uint16_t value_ = 0;
};
