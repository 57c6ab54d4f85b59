#pragma once
// The current key of the printer's fixed input unit (274: 7 with Tray 2, 8
// without), always available.
#include "ui/framework/GValueFeature.h"

class GFixedInputUnitFeature : public GValueFeature {
public:
    explicit GFixedInputUnitFeature(GUIModel* model);
};
