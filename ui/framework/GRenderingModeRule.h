#pragma once
// The rendering mode (255) of the PCL 5 writer against the page layout and
// text as black (585). Sending graphics or the page as raster (2, 3) does
// not go with several pages per sheet, a watermark, scaling, booklets or
// printing on other paper: the mode goes back to automatic. The page as
// raster cannot print text as black (it is turned off and disabled);
// otherwise text as black disables the raster choices.
#include "ui/framework/GAvailabilityRule.h"

class GRenderingModeRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kTextAsBlackOn = 14120;
    static constexpr uint16_t kWatermark = 14121;
    static constexpr uint16_t kSeveralPages = 14122;
    static constexpr uint16_t kPageAsRaster = 14123;
    static constexpr uint16_t kScaled = 14124;

    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

private:
    // The first layout reason that keeps raster modes away; 0 when none.
    uint16_t LayoutReason();
    void JudgeRasterMode(int16_t mode);
    void JudgeOtherMode();
};
