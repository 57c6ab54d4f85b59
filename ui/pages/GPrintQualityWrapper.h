#pragma once
// The "Current Setting" line of the Print Quality Details dialog: which
// preset the settings equal, or that they are the user's own.
#include "ui/pages/GOptionWrapper.h"
#include "ui/pages/GPrintQualityPresets.h"

class GPrintQualityWrapper : public GOptionWrapper<GPrintQualityPresets> {
public:
    // Table: index 0 the static text.
    GPrintQualityWrapper(GPrintQualityPresets* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    // When forced or when a setting of the presets changed.
    void ShowValue(uint32_t force) override;
    void TakeValue() override {}
};
