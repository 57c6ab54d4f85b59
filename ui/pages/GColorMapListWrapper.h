#pragma once
// The list box of the colour map choices of the colour tab's object kind.
#include "ui/pages/GChromalistListWrapper.h"
#include "ui/pages/GColorMapListFeature.h"

class GColorMapListWrapper : public GChromalistListWrapper {
public:
    GColorMapListWrapper(GColorMapListFeature* feature, const GControlHelpPair* table)
        : GChromalistListWrapper(feature, table) {}
};
