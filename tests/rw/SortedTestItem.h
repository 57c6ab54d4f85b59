#pragma once
// A collection test item ordered by its value, for the sorted collections.
#include <cstdint>

#include "rw/RWFactory.h"
#include "tests/rw/CollectionTestItem.h"

class SortedTestItem : public CollectionTestItem {
public:
    static constexpr RWClassID kClassId = 0x07C2;

    explicit SortedTestItem(int32_t value = 0) : CollectionTestItem(value) {}

    static RWCollectable* Create() { return new SortedTestItem; }
    static void Register() { RWAddToFactory(&Create, kClassId, "SortedTestItem"); }

    RWCollectable* NewSpecies() const override { return new SortedTestItem; }
    RWCollectable* Copy() const override { return new SortedTestItem(*this); }
    RWClassID IsA() const override { return kClassId; }
    bool IsEqual(const RWCollectable* other) const override {
        return other != nullptr && other->IsA() == kClassId &&
               static_cast<const SortedTestItem*>(other)->value() == value();
    }
    // By value; anything else sorts after every item.
    int CompareTo(const RWCollectable* other) const override {
        if (other == nullptr || other->IsA() != kClassId) return -1;
        const int32_t theirs = static_cast<const SortedTestItem*>(other)->value();
        return value() < theirs ? -1 : value() > theirs ? 1 : 0;
    }
};
