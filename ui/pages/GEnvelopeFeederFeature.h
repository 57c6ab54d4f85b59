#pragma once
// Whether the envelope feeder is installed (275): available as the last
// discovery of the installed options left it (313 read as a state), and a
// change re-derives the settings that depend on the installed options.
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GEnvelopeFeederFeature : public GValueFeature {
public:
    explicit GEnvelopeFeederFeature(GUIModel* model);

    uint16_t GetState() override;
    // The value, then the driver context's dependent settings.
    int32_t SetValue(int16_t value) override;
};
