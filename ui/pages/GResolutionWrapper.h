#pragma once
// The "Resolution:" list of the Print Quality Details dialog: the printer's
// resolutions (list 206) in their order, each shown by the text of its
// entry; entries without a text are left out. Choosing one writes it.
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GResolutionFeature.h"

class GResolutionWrapper : public GOptionWrapper<GResolutionFeature> {
public:
    // Table: index 0 the label, 1 the list.
    GResolutionWrapper(GResolutionFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void OnAttach() override;
    // A selection change of the list takes the value (1); else 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // When forced or changed: the list is filled anew and the current entry
    // selected.
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

private:
    void Fill();

    GComboBoxWrapper combo_;
};
