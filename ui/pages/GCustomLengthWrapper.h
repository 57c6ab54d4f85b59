#pragma once
// The width or the height of the Custom Paper Size dialog: an edit field
// with arrows and the "in." / "mm." labels. The field is read when it loses
// the focus and before each arrow step; a text that is no number changes
// nothing, and the stored length comes back into the field.
#include <cstdint>

#include "ui/pages/GCustomPaperSizeFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GCustomLengthWrapper : public GOptionWrapper<GCustomPaperSizeFeature> {
public:
    static constexpr int kWidth = 0;
    static constexpr int kHeight = 1;

    // Table: 0 the field, 1 its arrows, 2 the inch label, 3 the millimetre
    // label. axis: kWidth or kHeight.
    GCustomLengthWrapper(GCustomPaperSizeFeature* feature, const GControlHelpPair* table, int axis)
        : GOptionWrapper(feature, table), axis_(axis) {}

    // The length shown; the arrows only give their steps (range 0..1).
    void OnAttach() override;
    // Arrows: one step of 0.1 inch (on the 0.1-inch grid) or 1 mm (1).
    // Leaving the field takes it and shows the stored length (1).
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

private:
    uint32_t Length();
    void Store(uint32_t length);
    void Step(int delta);
    // The field's limits beside it, in the unit.
    void ShowLimits(uint32_t unit);

    int axis_;
};
