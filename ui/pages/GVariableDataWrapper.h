#pragma once
// The "Use Variable Data" check box.
#include "ui/pages/GCheckBoxWrapper.h"
#include "ui/pages/GVariableDataFeature.h"

class GVariableDataWrapper : public GCheckBoxWrapper<GVariableDataFeature> {
public:
    // Table: index 0 the check box.
    GVariableDataWrapper(GVariableDataFeature* feature, const GControlHelpPair* table)
        : GCheckBoxWrapper(feature, table) {}
};
