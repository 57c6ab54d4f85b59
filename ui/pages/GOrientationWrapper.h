#pragma once
// The orientation: Portrait and Landscape radio buttons and a box that
// turns the page by 180 degrees. A paper size the printer cannot turn by
// 180 degrees keeps the box unchecked and disabled while Portrait is
// chosen. Changing between portrait and landscape drops the turn and
// moves the binding edge of two-sided printing.
#include <cstdint>

#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GOrientationFeature.h"

class GOrientationWrapper : public GOptionWrapper<GOrientationFeature> {
public:
    // Table: 0 Portrait, 1 Landscape, 2 the turn box.
    GOrientationWrapper(GOrientationFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void ShowValue(uint32_t force) override;
    // Any command of its three controls.
    void TakeValue() override;
    // The turn box is enabled only where it can turn the page.
    void EnableControl(uint16_t index, uint32_t flag) override;

private:
    bool IsChecked(uint16_t index) const;
    bool CanTurnPortrait();
};
