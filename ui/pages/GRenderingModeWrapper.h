#pragma once
// The "Rendering Mode:" radios of the Print Quality Details dialog, shown
// only on printers that offer the choice. Graphics as raster gives way to
// the Effects tab's conflict; page as raster follows the option's own level.
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GRenderingModeFeature.h"

class GRenderingModeWrapper : public GOptionWrapper<GRenderingModeFeature> {
public:
    // Table: index 0 the label, 1 Automatic, 2 vector, 3 graphics as raster,
    // 4 page as raster.
    GRenderingModeWrapper(GRenderingModeFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // Printers without the choice (no non-zero 566) get every control hidden
    // first; then the value's radio is checked when forced or changed.
    void ShowValue(uint32_t force) override;
    void TakeValue() override;
    void Refresh() override;
};
