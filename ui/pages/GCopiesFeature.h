#pragma once
// The number of copies: a value within the printer's copies range.
#include "ui/framework/GRangeFeature.h"

class GCopiesFeature : public GRangeFeature {
public:
    explicit GCopiesFeature(GUIModel* model);

    // The level the rules left for the copies.
    uint16_t GetState() override;
};
