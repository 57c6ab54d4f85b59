#pragma once
// The Basics tab's "About..." push button: it opens the About box and
// gives the focus back to itself. Nothing it does changes a setting.
#include "ui/framework/GAboutFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GAboutButtonWrapper : public GOptionWrapper<GAboutFeature> {
public:
    // Table: index 0 the button.
    GAboutButtonWrapper(GAboutFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // A click opens the box; every message answers 0, so the page runs no
    // rules for it.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t) override {}
    void TakeValue() override {}
};
