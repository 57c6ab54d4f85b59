#pragma once
// A check box over the collation setting: checked for 1.
#include "ui/pages/GCheck292Feature.h"
#include "ui/pages/GCheckBoxWrapper.h"

class GCheck292Wrapper : public GCheckBoxWrapper<GCheck292Feature> {
public:
    // Table: index 0 the check box.
    GCheck292Wrapper(GCheck292Feature* feature, const GControlHelpPair* table)
        : GCheckBoxWrapper(feature, table) {}
};
