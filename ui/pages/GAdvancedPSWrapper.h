#pragma once
// The five check boxes of the Advanced PS dialog over one feature, each
// box the value at its place. Only "Send PJL - Job Commands" follows the
// rules: it is disabled while their level for it is 1; the other boxes are
// usable unless the sheet is locked.
#include "ui/pages/GAdvancedPSFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GAdvancedPSWrapper : public GOptionWrapper<GAdvancedPSFeature> {
public:
    // Table: the boxes in the feature's order (577, 578, 579, 580, 581).
    GAdvancedPSWrapper(GAdvancedPSFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // Checks each box whose value is 1.
    void ShowValue(uint32_t force) override;
    // Stores every box: 1 checked, 0 not, in the table's order.
    void TakeValue() override;
    void Refresh() override;
};
