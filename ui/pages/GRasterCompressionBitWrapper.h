#pragma once
// A check box over one bit (0x200) of the raster-compression setting: the
// other bits of the value stay as they are.
#include <cstdint>

#include "ui/framework/GValueFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GRasterCompressionBitWrapper : public GOptionWrapper<GValueFeature> {
public:
    static constexpr uint16_t kBit = 0x200;

    // Table: index 0 the check box. The feature: the raster compression.
    GRasterCompressionBitWrapper(GValueFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void ShowValue(uint32_t force) override;
    void TakeValue() override;
};
