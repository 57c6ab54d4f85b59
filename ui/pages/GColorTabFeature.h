#pragma once
// The colour tab chosen on the colour tab strip (0 text, 1 graphics, 2
// photographs): a scratch value of the sheet in the UI-state composite,
// which the colour option lists read to know which object kind they show.
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GColorTabFeature : public GValueFeature {
public:
    static constexpr int16_t kTextTab = 0;
    static constexpr int16_t kGraphicsTab = 1;
    static constexpr int16_t kPhotosTab = 2;

    // Adds the value (text) to the UI-state composite when it is missing.
    explicit GColorTabFeature(GUIModel* model);

    int32_t SetValue(int16_t value) override;
    int32_t WasChanged() override;
    int16_t GetValue() override;
};
