#pragma once
// The paper size list of the Paper page, the size text beside it and its
// label. The list holds the media names the printer offers (the saved
// custom sizes among them unless the relaxed paper check 915 is on) that
// some tray feeds. A size the list does not hold is shown as no selection:
// showing never writes the size.
#include <cstdint>

#include "ui/framework/GComboBoxWrapper.h"
#include "ui/pages/GCustomPaperSizeFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GDriverContext;
class RWWString;

class GPaperSizeWrapper : public GOptionWrapper<GCustomPaperSizeFeature> {
public:
    // Table: 0 the list, 1 the size text, 2 the label.
    GPaperSizeWrapper(GCustomPaperSizeFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void OnAttach() override;
    // A choice in the list of an unlocked sheet: TakeValue and 1. A click
    // on the size text switches the page's units (1).
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    // The chosen paper id (Letter when none is chosen).
    void TakeValue() override;

    // Adds one item per paper that a tray feeds; goes on.
    static int32_t MediaNameCallback(GDriverContext* context, uint16_t paperId, const RWWString& name,
                                     void* data);

private:
    void Fill();

    GComboBoxWrapper list_;
};
