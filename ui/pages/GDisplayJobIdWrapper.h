#pragma once
// The "Display Job ID when printing" check box: a check box over its
// feature's value that is enabled by the feature's state on every showing,
// changed or not.
#include "ui/pages/GCheckBoxWrapper.h"
#include "ui/pages/GDisplayJobIdFeature.h"

class GDisplayJobIdWrapper : public GCheckBoxWrapper<GDisplayJobIdFeature> {
public:
    // Table: index 0 the check box.
    GDisplayJobIdWrapper(GDisplayJobIdFeature* feature, const GControlHelpPair* table)
        : GCheckBoxWrapper<GDisplayJobIdFeature>(feature, table) {}

    void ShowValue(uint32_t force) override {
        if (Option() != nullptr) EnableControl(0, Option()->GetState() == GFeature::kEnabled ? 1 : 0);
        GCheckBoxWrapper<GDisplayJobIdFeature>::ShowValue(force);
    }
};
