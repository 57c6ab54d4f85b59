#include "ui/framework/GRangeFeature.h"

#include "model/GRangeAttribute.h"
#include "ui/framework/GUIModel.h"

namespace {
constexpr int16_t kNoRangeMaximum = 32767;
} // namespace

int16_t GRangeFeature::GetMaximum() const {
    const GRangeAttribute* range = Model()->Defaults().FindRange(rangeId_);
    return range != nullptr ? range->GetMax() : kNoRangeMaximum;
}

int16_t GRangeFeature::GetMinimum() const {
    const GRangeAttribute* range = Model()->Defaults().FindRange(rangeId_);
    return range != nullptr ? range->GetMin() : 0;
}

uint16_t GRangeFeature::GetStep() const {
    const GRangeAttribute* range = Model()->Defaults().FindRange(rangeId_);
    return range != nullptr ? range->GetStep() : 0;
}

int16_t GRangeFeature::GetRangeValue() const {
    const GRangeAttribute* range = Model()->Defaults().FindRange(rangeId_);
    return range != nullptr ? range->GetValue() : 0;
}
