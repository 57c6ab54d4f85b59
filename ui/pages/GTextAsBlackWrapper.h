#pragma once
// The "Print all Text as Black" check box.
#include "ui/pages/GCheckBoxWrapper.h"
#include "ui/pages/GTextAsBlackFeature.h"

class GTextAsBlackWrapper : public GCheckBoxWrapper<GTextAsBlackFeature> {
public:
    // Table: index 0 the check box.
    GTextAsBlackWrapper(GTextAsBlackFeature* feature, const GControlHelpPair* table)
        : GCheckBoxWrapper(feature, table) {}
};
