#pragma once
// The halftone of the colour tab's object kind, chosen from the defaults'
// halftone choices for that kind.
#include "ui/pages/GChromalistListFeature.h"

class GHalftoneListFeature : public GChromalistListFeature {
public:
    explicit GHalftoneListFeature(GUIModel* model);
};
