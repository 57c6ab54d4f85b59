#pragma once
// The "Advanced..." button of the PostScript tab: always usable; a click
// runs the Advanced PS dialog with a snapshot, so that Cancel gives back
// what the dialog changed.
#include "ui/framework/GFeature.h"
#include "ui/pages/GSubDialogButtonWrapper.h"

class GAdvancedPSButtonWrapper : public GSubDialogButtonWrapper<GFeature> {
public:
    // Table: index 0 the button. The wrapper owns the feature and the dialog.
    GAdvancedPSButtonWrapper(GFeature* feature, const GControlHelpPair* table, GModalDialog* advanced)
        : GSubDialogButtonWrapper(feature, table, advanced) {}
};
