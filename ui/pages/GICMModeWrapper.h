#pragma once
// A combo box of the three colour-matching modes, each item's data its
// mode.
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GICMModeFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GICMModeWrapper : public GOptionWrapper<GICMModeFeature> {
public:
    // Table: index 0 the combo box.
    GICMModeWrapper(GICMModeFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // Fills the combo box with the three modes.
    void OnAttach() override;
    // CBN_SELCHANGE of the combo box: TakeValue and 1; else 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

private:
    GComboBoxWrapper combo_;
};
