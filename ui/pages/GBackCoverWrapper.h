#pragma once
// The back cover radio buttons (none, the first page's source, an
// alternate source) and the two notes under them: the note on the other
// pages shows on the "Other Pages" tab, the note on the blank page on the
// "Back Cover" tab.
#include "ui/pages/GBackCoverFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GBackCoverWrapper : public GOptionWrapper<GBackCoverFeature> {
public:
    // Table: 0 none, 1 the first page's source, 2 an alternate source, 3 the
    // other-pages note, 4 the blank-page note.
    GBackCoverWrapper(GBackCoverFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // SetState, and the other-pages note enabled.
    void Refresh() override;
    // A click on one of the buttons of an unlocked sheet takes it and shows
    // it (1); other notifications of the buttons: 1.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t force) override;
    void TakeValue() override;

private:
    bool HasAssignments();
};
