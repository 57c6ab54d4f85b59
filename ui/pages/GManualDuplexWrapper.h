#pragma once
// The "Manually Print on 2nd Side" check box: checked for any manual-duplex
// value but 0; checking it stores 3, clearing it 0.
#include <cstdint>

#include "ui/pages/GManualDuplexFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GManualDuplexWrapper : public GOptionWrapper<GManualDuplexFeature> {
public:
    static constexpr int16_t kOn = 3;
    static constexpr int16_t kOff = 0;

    // Table: index 0 the check box.
    GManualDuplexWrapper(GManualDuplexFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void ShowValue(uint32_t force) override;
    void TakeValue() override;
};
