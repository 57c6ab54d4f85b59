#pragma once
// The "Stapling..." button: shown only with the stapler/stacker installed,
// and usable only while stapling is on. A click runs the stapling options
// dialog it was given with a snapshot, so that Cancel gives back what the
// dialog changed.
#include "ui/pages/GDialogButtonWrapper.h"
#include "ui/pages/GStaplingButtonFeature.h"

class GStaplingButtonWrapper : public GDialogButtonWrapper<GStaplingButtonFeature> {
public:
    // Table: index 0 the button. The wrapper owns the dialog.
    GStaplingButtonWrapper(GStaplingButtonFeature* feature, const GControlHelpPair* table,
                           GModalDialog* options)
        : GDialogButtonWrapper(feature, table, options) {}

    void Refresh() override;
};
