#pragma once
// The "Document Options" group box of the Finishing page (and the print
// quality group beside it): each refresh moves the group's top edge to
// where its feature says, its other edges staying where they are (the group
// spans the options from the first the printer has down to the bottom),
// and shows it.
#include "ui/pages/GFinishingPictureFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GFinishingPictureWrapper : public GOptionWrapper<GFinishingPictureFeature> {
public:
    // Table: index 0 the group box that moves, index 1 the other group.
    GFinishingPictureWrapper(GFinishingPictureFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void Refresh() override;
    void ShowValue(uint32_t) override {}
    void TakeValue() override {}
};
