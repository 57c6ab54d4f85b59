#pragma once
// A check box standing for the finishing unit of the accessory part
// feature: checked while the unit is the one in use.
#include "ui/pages/GAccessoryPartFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GAccessoryPartWrapper : public GOptionWrapper<GAccessoryPartFeature> {
public:
    // Table: index 0 the check box.
    GAccessoryPartWrapper(GAccessoryPartFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void ShowValue(uint32_t force) override;
    // Checked writes 4, unchecked 0.
    void TakeValue() override;
};
