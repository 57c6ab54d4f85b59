#pragma once
// Whether TrueType fonts go to the printer as bitmaps (293: 1 on, 0 off);
// available as far as the rules' level for it allows.
#include "ui/framework/GValueFeature.h"

class GTrueTypeAsBitmapsFeature : public GValueFeature {
public:
    explicit GTrueTypeAsBitmapsFeature(GUIModel* model);

    uint16_t GetState() override;
};
