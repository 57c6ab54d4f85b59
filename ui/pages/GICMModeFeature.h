#pragma once
// The colour-matching mode as one value over two settings, colour matching
// (298) and its method (350): 0 disabled (the driver ignores matching), 1
// off (applications may turn it on), 2 on (applications may turn it off).
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GICMModeFeature : public GValueFeature {
public:
    static constexpr int16_t kDisabled = 0;
    static constexpr int16_t kOff = 1;
    static constexpr int16_t kOn = 2;

    explicit GICMModeFeature(GUIModel* model);

    // 0 while 298 is 0; else 1 for method 0, 2 for methods 1 to 3, 0 for
    // any other method.
    int16_t GetValue() override;
    // Writes both settings; a value other than 1 and 2 counts as 0. 1 when
    // both are in place.
    int32_t SetValue(int16_t value) override;
    // 1 when either setting changed.
    int32_t WasChanged() override;
};
