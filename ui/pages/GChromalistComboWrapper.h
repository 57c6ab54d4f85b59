#pragma once
// A combo box of the choices of a list option: refilled each time the
// option is shown (forced or changed), labels loaded from the resources
// (a choice whose label cannot be loaded is left out), the item of the
// stored code selected; choosing an item writes its code.
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GChromalistListFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GChromalistComboWrapper : public GOptionWrapper<GChromalistListFeature> {
public:
    // Table: index 0 the combo box.
    GChromalistComboWrapper(GChromalistListFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void OnAttach() override;
    // CBN_SELCHANGE of the combo: TakeValue and 1; else 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

private:
    GComboBoxWrapper combo_;
};
