#pragma once
// The "Send TrueType as Bitmaps" check box.
#include "ui/pages/GCheckBoxWrapper.h"
#include "ui/pages/GTrueTypeAsBitmapsFeature.h"

class GTrueTypeAsBitmapsWrapper : public GCheckBoxWrapper<GTrueTypeAsBitmapsFeature> {
public:
    // Table: index 0 the check box.
    GTrueTypeAsBitmapsWrapper(GTrueTypeAsBitmapsFeature* feature, const GControlHelpPair* table)
        : GCheckBoxWrapper(feature, table) {}
};
