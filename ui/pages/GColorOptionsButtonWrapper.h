#pragma once
// The "Options..." button of the Color tab: runs the Manual Color Options
// dialog it was given with a snapshot, so that Cancel gives back every
// colour code the dialog changed.
#include "ui/pages/GColorModeFeature.h"
#include "ui/pages/GSubDialogButtonWrapper.h"

class GColorOptionsButtonWrapper : public GSubDialogButtonWrapper<GColorModeFeature> {
public:
    // Table: index 0 the button. The wrapper owns the dialog.
    GColorOptionsButtonWrapper(GColorModeFeature* feature, const GControlHelpPair* table,
                               GModalDialog* options)
        : GSubDialogButtonWrapper(feature, table, options) {}
};
