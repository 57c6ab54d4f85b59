#pragma once
// Whether a PostScript job uses variable data (702: 1 on), which the printer keeps on its hard disk: disabled
// without one.
#include "ui/framework/GValueFeature.h"

class GVariableDataFeature : public GValueFeature {
public:
    explicit GVariableDataFeature(GUIModel* model);

    uint16_t GetState() override;
};
