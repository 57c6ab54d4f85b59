#pragma once
// Whether all text prints black (585: 1 on); available as far as the rules' level for it allows.
#include "ui/framework/GValueFeature.h"

class GTextAsBlackFeature : public GValueFeature {
public:
    explicit GTextAsBlackFeature(GUIModel* model);

    uint16_t GetState() override;
};
