#pragma once
// The "Details..." button of the print-quality presets: runs the Print
// Quality Details dialog of the printer's language with a snapshot, so that
// Cancel gives back every change made in it; after OK a combination that
// equals no preset is kept as the user's own. A printer whose language has
// no Details dialog gets none: the button stays disabled.
#include <memory>

#include "ui/framework/GModalDialog.h"
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GPrintQualityPresets.h"

class GPQDetailsButtonWrapper : public GOptionWrapper<GPrintQualityPresets> {
public:
    // Table: index 0 the button. The wrapper owns the dialog (null: none).
    GPQDetailsButtonWrapper(GPrintQualityPresets* feature, const GControlHelpPair* table,
                            std::unique_ptr<GModalDialog> details)
        : GOptionWrapper(feature, table), details_(std::move(details)) {}

    // A click on the button runs the dialog: 1 when it ends with OK, else 0;
    // 0 for every other message.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Refresh() override;
    void ShowValue(uint32_t) override {}
    void TakeValue() override {}

    GModalDialog* Details() const { return details_.get(); }

private:
    std::unique_ptr<GModalDialog> details_;
};
