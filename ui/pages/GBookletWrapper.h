#pragma once
// The "Booklet Printing" list: the choices the printer offers for the
// document's paper, refilled each time the value is shown; a choice whose
// name the resources lack is left out.
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GBookletFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GBookletWrapper : public GOptionWrapper<GBookletFeature> {
public:
    // Table: index 0 the label, index 1 the combo box.
    GBookletWrapper(GBookletFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void OnAttach() override;
    // CBN_SELCHANGE of the combo box: TakeValue and 1; else 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    // The selected choice; none selected counts as off.
    void TakeValue() override;

private:
    GComboBoxWrapper combo_;
};
