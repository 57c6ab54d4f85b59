#pragma once
// A check box over the collation setting: checked for 1.
#include "ui/pages/GCheck292Feature.h"
#include "ui/pages/GOptionWrapper.h"

class GCheck292Wrapper : public GOptionWrapper<GCheck292Feature> {
public:
    // Table: index 0 the check box.
    GCheck292Wrapper(GCheck292Feature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void ShowValue(uint32_t force) override;
    void TakeValue() override;
};
