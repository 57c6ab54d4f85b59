#pragma once
// The TrueType choices of the PostScript tab: how fonts are sent ("Outlines
// (Type 1)", "TrueType (Type 42)", "Bitmaps (Type 3)") and which fonts the
// printer substitutes. A language whose resources leave the outlines text
// empty has no outline fonts: the entry is left out and the page opens
// sending bitmaps. While the printer forces bitmaps they are the only entry,
// and the page opens sending them.
#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GTrueTypeModeFeature.h"

class GTrueTypeModeWrapper : public GOptionWrapper<GTrueTypeModeFeature> {
public:
    // Table: 0 the send-mode label, 1 its combo box, 2 the substitution
    // label, 3 its combo box.
    GTrueTypeModeWrapper(GTrueTypeModeFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // Fills both combo boxes; without an outlines text, or while the
    // printer forces bitmaps, the send mode becomes bitmaps first.
    void OnAttach() override;
    // CBN_SELCHANGE of either combo box stores its choice: 1; else 0.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Selects the send mode (bitmaps while forced) and the substitution.
    void ShowValue(uint32_t force) override;
    // Stores both choices.
    void TakeValue() override;

private:
    void TakeSendMode();
    void TakeSubstitution();

    GComboBoxWrapper sendMode_;
    GComboBoxWrapper substitution_;
};
