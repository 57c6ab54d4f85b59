#pragma once
// Stapling on or off (278); available as far as the rules' level for it allows.
#include "ui/framework/GValueFeature.h"

class GStapleFeature : public GValueFeature {
public:
    explicit GStapleFeature(GUIModel* model);

    uint16_t GetState() override;
};
