#pragma once
// A value feature whose value must lie within a range the printer gives:
// a range attribute of the defaults (read only), beside the value of the
// current settings. The printer's bounds are signed 16-bit numbers.
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GRangeFeature : public GValueFeature {
public:
    GRangeFeature(GUIModel* model, uint32_t valueId, uint32_t rangeId)
        : GValueFeature(model, valueId), rangeId_(rangeId) {}

    // Without the range: 0 to 32767, step 0 and value 0.
    int16_t GetMaximum() const;
    int16_t GetMinimum() const;
    uint16_t GetStep() const;
    int16_t GetRangeValue() const;

    uint32_t RangeId() const { return rangeId_; }

private:
    uint32_t rangeId_;
};
