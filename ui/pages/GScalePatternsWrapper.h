#pragma once
// The "Scale Patterns (WYSIWYG)" check box.
#include "ui/pages/GCheckBoxWrapper.h"
#include "ui/pages/GScalePatternsFeature.h"

class GScalePatternsWrapper : public GCheckBoxWrapper<GScalePatternsFeature> {
public:
    // Table: index 0 the check box.
    GScalePatternsWrapper(GScalePatternsFeature* feature, const GControlHelpPair* table)
        : GCheckBoxWrapper(feature, table) {}
};
