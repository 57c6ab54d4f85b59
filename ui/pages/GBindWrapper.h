#pragma once
// The "Bind" check box.
#include "ui/pages/GBindFeature.h"
#include "ui/pages/GCheckBoxWrapper.h"

class GBindWrapper : public GCheckBoxWrapper<GBindFeature> {
public:
    // Table: index 0 the check box.
    GBindWrapper(GBindFeature* feature, const GControlHelpPair* table) : GCheckBoxWrapper(feature, table) {}
};
