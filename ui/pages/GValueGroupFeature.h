#pragma once
// A feature over a few 16-bit values of the current settings that one
// control group shows together: each value by its place in the group, and
// whether any of them changed.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "ui/framework/GFeature.h"

class GValueGroupFeature : public GFeature {
public:
    GValueGroupFeature(GUIModel* model, std::initializer_list<uint32_t> ids) : GFeature(model), ids_(ids) {}

    // The value at the place (sign-extended; 0 when absent or past the group).
    int16_t Value(size_t place) const;
    // 1 when the value is in place, 0 when the settings hold no such value
    // (or the place is past the group).
    int32_t SetValue(size_t place, int16_t value);
    // 1 when any value of the group changed in the current update.
    int32_t AnyChanged() const;
    size_t Size() const { return ids_.size(); }
    uint32_t IdAt(size_t place) const { return place < ids_.size() ? ids_[place] : 0; }

private:
    std::vector<uint32_t> ids_;
};
