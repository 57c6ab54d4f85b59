#pragma once
// The "Staple" check box.
#include "ui/pages/GCheckBoxWrapper.h"
#include "ui/pages/GStapleFeature.h"

class GStapleWrapper : public GCheckBoxWrapper<GStapleFeature> {
public:
    // Table: index 0 the check box.
    GStapleWrapper(GStapleFeature* feature, const GControlHelpPair* table)
        : GCheckBoxWrapper(feature, table) {}
};
