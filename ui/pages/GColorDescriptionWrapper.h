#pragma once
// The text of the Manual Color Options dialog that names the kind of the
// colour setting: the "Custom" wording for the stored colour modes 7-10,
// the "Automatic" wording for any other. It takes no value.
#include "ui/pages/GColorModeFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GColorDescriptionWrapper : public GOptionWrapper<GColorModeFeature> {
public:
    static constexpr uint16_t kAutomaticText = 11360;
    static constexpr uint16_t kCustomText = 11361;
    // The longest text the control is given.
    static constexpr int kMaxLength = 128;

    // Table: index 0 the static text.
    GColorDescriptionWrapper(GColorModeFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void ShowValue(uint32_t force) override;
    void TakeValue() override {}
};
