#pragma once
// The "Custom..." button of the Paper page: it owns the Custom Paper Size
// dialog and runs it over the current paper size. What the dialog changes
// stays when it closes.
#include <memory>

#include "ui/framework/GModalDialog.h"
#include "ui/pages/GCustomPaperSizeFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GCustomSizeButtonWrapper : public GOptionWrapper<GCustomPaperSizeFeature> {
public:
    // Table: index 0 the button.
    GCustomSizeButtonWrapper(GCustomPaperSizeFeature* feature, const GControlHelpPair* table,
                             std::unique_ptr<GModalDialog> dialog)
        : GOptionWrapper(feature, table), dialog_(std::move(dialog)) {}

    // A command of the button: the current size becomes the edited one,
    // the dialog runs, and 1.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t) override {}
    void TakeValue() override {}

    GModalDialog* Dialog8000() const { return dialog_.get(); }

private:
    std::unique_ptr<GModalDialog> dialog_;
};
