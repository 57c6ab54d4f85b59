#pragma once
// The colour map of the colour tab's object kind, chosen from the defaults'
// colour map choices for that kind.
#include "ui/pages/GColorTabListFeature.h"

class GColorMapListFeature : public GColorTabListFeature {
public:
    explicit GColorMapListFeature(GUIModel* model);
};
