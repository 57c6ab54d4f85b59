#pragma once
// One 32-bit number as a persistent object, so a plain number can live in
// composites and collections and be saved with a graph. Written once for
// the signed and the unsigned class (GPersistableLong, GPersistableULong).
//
// Saved form, after the root's three words: u32 version (1), the value as a
// 32-bit word.
//
// Objects compare by value (CompareTo, IsEqual, IsEqualId) within their own
// class, and hash by address, as every collectable does.
#include <cstdint>
#include <type_traits>

#include "model/MPersistentClass.h"
#include "model/MPersistentObject.h"

template <typename Value, RWClassID Id> class GPersistableNumber : public MPersistentObject {
    static_assert(std::is_same_v<Value, int32_t> || std::is_same_v<Value, uint32_t>);

public:
    GPersistableNumber() = default;
    explicit GPersistableNumber(Value value) : value_(value) {}

    uint32_t BinaryStoreSize() const override { return MPersistentObject::BinaryStoreSize() + 8; }

    // Against another object of the same class: 0 for equal values, -1 when
    // this value is smaller, 1 when larger. Against any other object: the
    // root's comparison.
    int CompareTo(const RWCollectable* other) const override {
        const GPersistableNumber* number = SameClass(other);
        if (number == nullptr) return MPersistentObject::CompareTo(other);
        if (value_ == number->value_) return 0;
        return value_ < number->value_ ? -1 : 1;
    }

    bool IsEqual(const RWCollectable* other) const override {
        const GPersistableNumber* number = SameClass(other);
        return number != nullptr && number->value_ == value_;
    }

    // Same class, the root's equality (id) and the same value.
    bool IsEqualId(const MPersistentObject* other) const override {
        return IsEqual(other) && MPersistentObject::IsEqualId(other);
    }

    RW_INLINE_GUTS()

    template <class Carrier> void SaveGutsTo(Carrier& carrier) const {
        MPersistentObject::SaveGuts(carrier);
        GWriteClassVersion(carrier);
        if constexpr (std::is_signed_v<Value>) {
            RWSaveI32(carrier, value_);
        } else {
            RWSaveU32(carrier, value_);
        }
    }

    // Another version word, or a cut record, leaves the value as it was.
    template <class Carrier> void RestoreGutsFrom(Carrier& carrier) {
        MPersistentObject::RestoreGuts(carrier);
        if (!GReadClassVersion(carrier)) return;
        if constexpr (std::is_signed_v<Value>) {
            RWRestoreI32(carrier, value_);
        } else {
            RWRestoreU32(carrier, value_);
        }
    }

    Value GetValue() const { return value_; }

private:
    static const GPersistableNumber* SameClass(const RWCollectable* other) {
        return other != nullptr && other->IsA() == Id ? static_cast<const GPersistableNumber*>(other)
                                                      : nullptr;
    }

    Value value_ = 0;
};
