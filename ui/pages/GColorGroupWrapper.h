#pragma once
// The controls of an option group a printer does not have (the PostScript
// colour options on another writer): hidden and disabled at every
// refresh; they show and take nothing.
#include "ui/framework/GFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GColorGroupWrapper : public GOptionWrapper<GFeature> {
public:
    // Table: every control of the group.
    GColorGroupWrapper(GFeature* feature, const GControlHelpPair* table) : GOptionWrapper(feature, table) {}

    void Refresh() override { SetState(GFeature::kHidden); }
    void ShowValue(uint32_t) override {}
    void TakeValue() override {}
};
