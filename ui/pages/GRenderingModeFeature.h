#pragma once
// How graphics reach the printer (255): 0 automatic, 1 as vectors, 2
// graphics as raster, 3 the whole page as raster; available as far as the
// rules' level for it allows.
#include "ui/framework/GValueFeature.h"

class GRenderingModeFeature : public GValueFeature {
public:
    static constexpr int16_t kAutomatic = 0;
    static constexpr int16_t kVector = 1;
    static constexpr int16_t kGraphicsAsRaster = 2;
    static constexpr int16_t kPageAsRaster = 3;

    explicit GRenderingModeFeature(GUIModel* model);

    uint16_t GetState() override;
};
