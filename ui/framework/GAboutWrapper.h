#pragma once
// The owner-drawn About control every page carries (11525): its picture,
// and a click opens the About box. It owns its feature.
#include <memory>

#include "ui/framework/GAboutFeature.h"
#include "ui/framework/GWrapper.h"

class GAboutWrapper : public GWrapper {
public:
    // Table: index 0 the control.
    GAboutWrapper(GAboutFeature* feature, const GControlHelpPair* table)
        : GWrapper(feature, table), about_(feature) {}

    // WM_DRAWITEM of its control: a full draw paints the picture (1), any
    // other draw a focus mark at its left (0). A click (notification 0)
    // opens the box. Nothing it does changes a setting: 0 otherwise.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ShowValue(uint32_t) override {}
    void TakeValue() override {}
    void Refresh() override;

private:
    std::unique_ptr<GAboutFeature> about_;
};
