#pragma once
// The PostScript output options: a combo box of what the output is
// optimised for ("Faster Printing", "Document Portability") and the
// "Mirror Image" and "Negative Image" check boxes. A command of one of
// them stores that control's choice only.
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GPSOptionsFeature.h"

class GPSOptionsWrapper : public GOptionWrapper<GPSOptionsFeature> {
public:
    // Table: 0 the combo box's label, 1 the combo box, 2 mirror image, 3
    // negative image.
    GPSOptionsWrapper(GPSOptionsFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // Fills the combo box.
    void OnAttach() override;
    // CBN_SELCHANGE of the combo box or a command of a check box stores
    // that control's choice: 1; else 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    // Stores every control's choice.
    void TakeValue() override;

private:
    void TakeOptimisation();
    void TakeBox(uint16_t index, size_t place);

    GComboBoxWrapper optimisation_;
};
