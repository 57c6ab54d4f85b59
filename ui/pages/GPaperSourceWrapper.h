#pragma once
// The paper source list of the Paper page, rebuilt whenever it is shown.
// Choosing manual feed shows the manual-feed notice when the printer asks
// for it (926 = 1).
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GPaperSourceFeature.h"

class GPaperSourceWrapper : public GOptionWrapper<GPaperSourceFeature> {
public:
    // Table: 0 the list, 1 its label.
    GPaperSourceWrapper(GPaperSourceFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void OnAttach() override;
    // A choice in the list: TakeValue and 1.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    // The chosen source; none chosen is the automatic source.
    void TakeValue() override;

private:
    void Fill();
    void ShowManualFeedNotice();

    GComboBoxWrapper list_;
};
