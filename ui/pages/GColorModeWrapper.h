#pragma once
// The Automatic and Manual radios of the colour mode with the picture
// beside them (an owner-drawn control showing the colour-mode bitmap).
// Automatic shows while the colour control is the preset of the media.
#include "ui/pages/GColorModeFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GColorModeWrapper : public GOptionWrapper<GColorModeFeature> {
public:
    // Table: index 0 the Automatic radio, 1 the Manual radio, 2 the picture.
    GColorModeWrapper(GColorModeFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // WM_DRAWITEM of the picture (a full draw) paints it: 1. WM_COMMAND of
    // either radio: TakeValue and 1. Else 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    // Automatic checked: automatic; Manual checked or neither: manual.
    void TakeValue() override;
    // Always shown and enabled, the Manual radio too.
    void Refresh() override;
};
