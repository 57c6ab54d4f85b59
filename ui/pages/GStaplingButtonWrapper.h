#pragma once
// The "Stapling..." button: shown only with the stapler/stacker installed,
// and usable only while stapling is on. A click runs the stapling options
// dialog it was given with a snapshot, so that Cancel gives back what the
// dialog changed.
#include <memory>

#include "ui/framework/GModalDialog.h"
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GStaplingButtonFeature.h"

class GStaplingButtonWrapper : public GOptionWrapper<GStaplingButtonFeature> {
public:
    // Table: index 0 the button. The wrapper owns the dialog.
    GStaplingButtonWrapper(GStaplingButtonFeature* feature, const GControlHelpPair* table,
                           GModalDialog* options)
        : GOptionWrapper(feature, table), options_(options) {}

    // A click on the button runs the dialog: 1 when it ends with OK (1),
    // else 0; 0 for every other message.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Refresh() override;
    void ShowValue(uint32_t) override {}
    void TakeValue() override {}

private:
    std::unique_ptr<GModalDialog> options_;
};
