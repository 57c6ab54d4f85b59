#pragma once
// Manually printing on the second side (245: 0 off, 3 on); available as far as the rules' level for it
// allows.
#include "ui/framework/GValueFeature.h"

class GManualDuplexFeature : public GValueFeature {
public:
    explicit GManualDuplexFeature(GUIModel* model);

    uint16_t GetState() override;
};
