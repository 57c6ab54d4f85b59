#include "model/GRangeAttribute.h"

#include "pipeline/GPeripheral.h"

GRangeAttribute::GRangeAttribute(int16_t min, int16_t max, uint16_t step, int16_t value, uint32_t id)
    : GAttribute(id), min_(min), max_(max < min ? min : max), step_(step == 0 ? 1 : step), value_(0) {
    value_ = Clamp(value);
}

GRangeAttribute::~GRangeAttribute() = default;

int16_t GRangeAttribute::Clamp(int32_t value) const {
    // A restored attribute may hold min > max; the lower bound wins then, as
    // it does in the constructor.
    if (value > max_) {
        value = max_;
    }
    if (value < min_) {
        value = min_;
    }
    return static_cast<int16_t>(value);
}

void GRangeAttribute::SetMax(int16_t value) {
    max_ = value < min_ ? min_ : value;
}

void GRangeAttribute::SetMin(int16_t value) {
    min_ = value > max_ ? max_ : value;
}

void GRangeAttribute::SetValue(int16_t value) {
    value_ = Clamp(value);
}

void GRangeAttribute::Increment() {
    value_ = Clamp(int32_t{value_} + int32_t{step_});
}

void GRangeAttribute::Decrement() {
    value_ = Clamp(int32_t{value_} - int32_t{step_});
}

uint32_t GRangeAttribute::BinaryStoreSize() const {
    return GAttribute::BinaryStoreSize() + 4 + 4 * 2;
}

template <class Carrier> void GRangeAttribute::SaveGutsTo(Carrier& carrier) const {
    GAttribute::SaveGuts(carrier);
    GWriteClassVersion(carrier);
    RWSaveI16(carrier, min_);
    RWSaveI16(carrier, max_);
    RWSaveU16(carrier, step_);
    RWSaveI16(carrier, value_);
}

template <class Carrier> void GRangeAttribute::RestoreGutsFrom(Carrier& carrier) {
    GAttribute::RestoreGuts(carrier);
    if (!GReadClassVersion(carrier)) {
        return;
    }
    int16_t min = 0;
    int16_t max = 0;
    uint16_t step = 0;
    int16_t value = 0;
    // All four or none: a cut record leaves the attribute as it was.
    if (RWRestoreI16(carrier, min) && RWRestoreI16(carrier, max) && RWRestoreU16(carrier, step) &&
        RWRestoreI16(carrier, value)) {
        min_ = min;
        max_ = max;
        step_ = step;
        value_ = value;
    }
}

RW_DEFINE_GUTS(GRangeAttribute)

bool GRangeAttribute::IsEqualId(const MPersistentObject* other) const {
    if (other == this) {
        return true;
    }
    if (other == nullptr || other->IsA() != IsA() || other->GetId() != GetId()) {
        return false;
    }
    const auto* range = dynamic_cast<const GRangeAttribute*>(other);
    return range != nullptr && range->max_ == max_ && range->min_ == min_ && range->step_ == step_ &&
           range->value_ == value_;
}

uint16_t GRangeAttribute::Apply(GPeripheral& device) {
    return device.OnRangeAttribute(*this);
}
