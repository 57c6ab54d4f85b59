#pragma once
// Whether the optional input unit in use (text 315) is the printer's
// finishing unit, named by its part number in the accessory table: value 4
// when it is, else 0. Writing 4 names the unit and marks the choice in the
// sheet's scratch values; any other value names no unit.
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GAccessoryPartFeature : public GValueFeature {
public:
    static constexpr int16_t kFinishingUnit = 4;

    explicit GAccessoryPartFeature(GUIModel* model);

    int16_t GetValue() override;
    // 1 when the text is in place; 0 when the settings hold no text 315, or
    // for 4 when the table names no finishing unit.
    int32_t SetValue(int16_t value) override;
};
