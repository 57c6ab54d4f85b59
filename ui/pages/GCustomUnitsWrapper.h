#pragma once
// The units button of the Custom Paper Size dialog: "Use Millimeters"
// while the lengths are in inches, "Use Inches" while in millimetres.
#include "ui/pages/GCustomPaperSizeFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GCustomUnitsWrapper : public GOptionWrapper<GCustomPaperSizeFeature> {
public:
    // Table: index 0 the button.
    GCustomUnitsWrapper(GCustomPaperSizeFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // A command of the button switches the units, keeps the focus on the
    // button, and 1.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override {}
};
