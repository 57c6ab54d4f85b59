#pragma once
// The halftone of the colour tab's object kind, chosen from the defaults'
// halftone choices for that kind.
#include "ui/pages/GColorTabListFeature.h"

class GHalftoneListFeature : public GColorTabListFeature {
public:
    explicit GHalftoneListFeature(GUIModel* model);
};
