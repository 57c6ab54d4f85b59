#pragma once
// Optimise print quality (703: 1 on), a PJL job command: disabled while no PJL is sent (579 = 0).
#include "ui/framework/GValueFeature.h"

class GOptimizePQFeature : public GValueFeature {
public:
    explicit GOptimizePQFeature(GUIModel* model);

    uint16_t GetState() override;
    // Writes the value, then has the settings that depend on it derived anew.
    int32_t SetValue(int16_t value) override;
};
