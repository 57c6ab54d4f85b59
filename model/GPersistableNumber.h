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
#include "rw/RWBinaryFile.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

template <typename Value, RWClassID Id> class GPersistableNumber : public MPersistentObject {
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

    void SaveGuts(RWVirtualOutStream& stream) const override {
        MPersistentObject::SaveGuts(stream);
        GWriteClassVersion(stream);
        stream << static_cast<StreamValue>(value_);
    }

    void SaveGuts(RWBinaryFile& file) const override {
        MPersistentObject::SaveGuts(file);
        GWriteClassVersion(file);
        file.Write(value_);
    }

    // Another version word, or a cut stream, leaves the value as it was.
    void RestoreGuts(RWVirtualInStream& stream) override {
        MPersistentObject::RestoreGuts(stream);
        if (!GReadClassVersion(stream)) return;
        StreamValue value = 0;
        stream >> value;
        if (!GRestoreGood(stream)) return GMarkRestoreFailed(stream);
        value_ = static_cast<Value>(value);
    }

    void RestoreGuts(RWBinaryFile& file) override {
        MPersistentObject::RestoreGuts(file);
        if (!GReadClassVersion(file)) return;
        Value value = 0;
        if (!file.Read(value)) return GMarkRestoreFailed(file);
        value_ = value;
    }

    Value GetValue() const { return value_; }

private:
    // The streams' 32-bit "long" operators.
    using StreamValue = std::conditional_t<std::is_signed_v<Value>, long, unsigned long>;

    static const GPersistableNumber* SameClass(const RWCollectable* other) {
        return other != nullptr && other->IsA() == Id ? static_cast<const GPersistableNumber*>(other)
                                                      : nullptr;
    }

    Value value_ = 0;
};
