#pragma once
// The "Optimize PQ (slower)" check box.
#include "ui/pages/GCheckBoxWrapper.h"
#include "ui/pages/GOptimizePQFeature.h"

class GOptimizePQWrapper : public GCheckBoxWrapper<GOptimizePQFeature> {
public:
    // Table: index 0 the check box.
    GOptimizePQWrapper(GOptimizePQFeature* feature, const GControlHelpPair* table)
        : GCheckBoxWrapper(feature, table) {}
};
