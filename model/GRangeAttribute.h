#pragma once
// A bounded 16-bit setting with a step (a spin control's number).
//
// Invariant kept by the constructor and the value setters: min <= max and
// min <= value <= max. SetMin, SetMax and SetStep move the bounds only; the
// value is not clamped again until it is next set.
//
// Saved form, after the GAttribute part (model/GAttribute.h):
//   u32 version (1), i16 min, i16 max, u16 step, i16 value
// A restore takes the four numbers as stored, without clamping.
#include <cstdint>

#include "model/GAttribute.h"
#include "model/MPersistentClass.h"

class GRangeAttribute : public GAttribute {
    MPERSISTENT_CLASS_MEMBERS(GRangeAttribute, GAttribute, 762)

public:
    // Id 0, min 0, max 0, step 1, value 0, changed 1.
    GRangeAttribute() = default;
    // max is raised to min when below it, value is clamped into [min, max],
    // a step of 0 becomes 1; changed 1.
    GRangeAttribute(int16_t min, int16_t max, uint16_t step, int16_t value, uint32_t id);
    GRangeAttribute(const GRangeAttribute& other) = default;
    GRangeAttribute& operator=(const GRangeAttribute& other) = default;
    ~GRangeAttribute() override;

    // GAttribute + 12 (version and the four numbers).
    uint32_t BinaryStoreSize() const override;
    RW_DECLARE_GUTS()

    // The same object, or the same class, id, max, min, step and value.
    bool IsEqualId(const MPersistentObject* other) const override;
    RWClassID GetTypeCode() const override { return kClassId; }
    // The device's range-attribute operation; its status.
    uint16_t Apply(GPeripheral& device) override;

    int16_t GetMin() const { return min_; }
    int16_t GetMax() const { return max_; }
    uint16_t GetStep() const { return step_; }
    int16_t GetValue() const { return value_; }

    // None of the setters touches `changed`.
    // max := min when value < min, else value.
    void SetMax(int16_t value);
    // min := max when value > max, else value.
    void SetMin(int16_t value);
    // Stored as given, 0 included.
    void SetStep(uint16_t step) { step_ = step; }
    // Clamped into [min, max].
    void SetValue(int16_t value);
    // value +/- step, worked out in 32 bits and then clamped into [min, max],
    // so a step past the end of the 16-bit range stops at the bound instead
    // of wrapping round to the other end.
    void Increment();
    void Decrement();
    // min <= value <= max.
    bool Contains(int16_t value) const { return min_ <= value && value <= max_; }

private:
    int16_t Clamp(int32_t value) const;

    int16_t min_ = 0;
    int16_t max_ = 0;
    uint16_t step_ = 1;
    int16_t value_ = 0;
};
