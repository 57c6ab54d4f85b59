#pragma once
// Two radio buttons over a value feature: the second stands for 8, the
// first for 7 (and shows every value other than 8).
#include <cstdint>

#include "ui/framework/GValueFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GRadioPairWrapper : public GOptionWrapper<GValueFeature> {
public:
    static constexpr int16_t kFirstValue = 7;
    static constexpr int16_t kSecondValue = 8;

    // Table: index 0 the first button, index 1 the second.
    GRadioPairWrapper(GValueFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void ShowValue(uint32_t force) override;
    void TakeValue() override;
};
