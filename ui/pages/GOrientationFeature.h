#pragma once
// The orientation in degrees: 0 portrait, 90 landscape, 180 portrait turned,
// 270 landscape turned. Turning between portrait and landscape moves the
// binding edge of two-sided printing with the page.
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GOrientationFeature : public GValueFeature {
public:
    explicit GOrientationFeature(GUIModel* model);

    // 1 when the printer has the current paper size in that orientation at
    // the sheet's square resolution.
    int32_t IsOrientationOffered(int32_t orientation);
    // Short-edge binding (1) becomes long-edge binding (2) and back; no
    // two-sided printing (0) stays as it is.
    void SwapDuplexBinding();
};
