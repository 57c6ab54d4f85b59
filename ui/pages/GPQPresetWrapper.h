#pragma once
// The print-quality radios of the Finishing tab: "Best Quality", the
// printer's second preset (its text comes from the preset itself) and
// "Custom". Choosing one copies its bundle into the settings; the radio
// shown is the preset the settings equal.
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GPrintQualityPresets.h"

class GPQPresetWrapper : public GOptionWrapper<GPrintQualityPresets> {
public:
    // Table: index 0 Best Quality, 1 the second preset, 2 Custom.
    GPQPresetWrapper(GPrintQualityPresets* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // The matching preset's radio is checked when forced or when a setting of
    // the presets changed; the second radio's text is set every time.
    void ShowValue(uint32_t force) override;
    // Applies the checked preset (none checked: Custom).
    void TakeValue() override;
    // The feature's state; Custom is disabled while the rules' level says 1.
    void Refresh() override;
};
