#pragma once
// A small collectable for the collection tests: equal (and hashed) by its
// value, saved as one 32-bit value, and counted while alive so the tests see
// what was deleted.
#include <cstdint>

#include "rw/RWBinaryFile.h"
#include "rw/RWCollectable.h"
#include "rw/RWFactory.h"
#include "rw/RWVirtualInStream.h"
#include "rw/RWVirtualOutStream.h"

class CollectionTestItem : public RWCollectable {
public:
    // Outside the library's and the system's ranges of class ids.
    static constexpr RWClassID kClassId = 0x07C1;
    static inline int live = 0;

    explicit CollectionTestItem(int32_t value = 0) : value_(value) { ++live; }
    CollectionTestItem(const CollectionTestItem& other) : RWCollectable(other), value_(other.value_) {
        ++live;
    }
    ~CollectionTestItem() override { --live; }

    static RWCollectable* Create() { return new CollectionTestItem; }
    static void Register() { RWAddToFactory(&Create, kClassId, "CollectionTestItem"); }

    int32_t value() const { return value_; }

    RWCollectable* NewSpecies() const override { return new CollectionTestItem; }
    RWCollectable* Copy() const override { return new CollectionTestItem(*this); }
    RWClassID IsA() const override { return kClassId; }
    uint32_t BinaryStoreSize() const override { return 4; }
    uint32_t Hash() const override { return static_cast<uint32_t>(value_); }
    bool IsEqual(const RWCollectable* other) const override {
        return other != nullptr && other->IsA() == kClassId &&
               static_cast<const CollectionTestItem*>(other)->value_ == value_;
    }
    void RestoreGuts(RWVirtualInStream& stream) override { stream >> value_; }
    void RestoreGuts(RWBinaryFile& file) override { file.Read(value_); }
    void SaveGuts(RWVirtualOutStream& stream) const override { stream << static_cast<int>(value_); }
    void SaveGuts(RWBinaryFile& file) const override { file.Write(value_); }

private:
    int32_t value_;
};
