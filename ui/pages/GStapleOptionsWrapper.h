#pragma once
// The stapling choices: one staple (with "Angled" under it), two, three
// or six staples, or the administrator's own. The radio buttons act as one
// group although Angled sits among them.
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GStapleOptionsFeature.h"

class GStapleOptionsWrapper : public GOptionWrapper<GStapleOptionsFeature> {
public:
    // Table: index 0 one staple, 1 angled (a check box), 2 two, 3 three,
    // 4 six staples, 5 custom.
    GStapleOptionsWrapper(GStapleOptionsFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // A click on a button of the table takes the choice (a radio button
    // first becomes the only one checked): 1. Else 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The state; Angled usable only with one staple where it fits.
    void Refresh() override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

private:
    void CheckOnly(uint16_t radio);
    bool AngledUsable();
    int Button(uint16_t index) const { return static_cast<int>(ControlId(index)); }
};
