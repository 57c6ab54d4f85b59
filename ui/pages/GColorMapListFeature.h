#pragma once
// The colour map of the colour tab's object kind, chosen from the defaults'
// colour map choices for that kind.
#include "ui/pages/GChromalistListFeature.h"

class GColorMapListFeature : public GChromalistListFeature {
public:
    explicit GColorMapListFeature(GUIModel* model);
};
