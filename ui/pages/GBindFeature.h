#pragma once
// Binding on or off (612); available as far as the rules' level for it allows.
#include "ui/framework/GValueFeature.h"

class GBindFeature : public GValueFeature {
public:
    explicit GBindFeature(GUIModel* model);

    uint16_t GetState() override;
};
