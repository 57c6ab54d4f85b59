#pragma once
// The list box of the halftone choices of the colour tab's object kind.
#include "ui/pages/GChromalistListWrapper.h"
#include "ui/pages/GHalftoneListFeature.h"

class GHalftoneListWrapper : public GChromalistListWrapper {
public:
    GHalftoneListWrapper(GHalftoneListFeature* feature, const GControlHelpPair* table)
        : GChromalistListWrapper(feature, table) {}
};
