#pragma once
// The two radio buttons of the image compression: "No Compression" for 0,
// "RLE Compression" for every other value. A stored value other than 0
// and 1 is shown as run-length and kept until the user clicks a button.
#include "ui/pages/GImageCompressionFeature.h"
#include "ui/pages/GOptionWrapper.h"

class GImageCompressionWrapper : public GOptionWrapper<GImageCompressionFeature> {
public:
    // Table: index 0 "No Compression", index 1 "RLE Compression".
    GImageCompressionWrapper(GImageCompressionFeature* feature, const GControlHelpPair* table)
        : GOptionWrapper(feature, table) {}

    void ShowValue(uint32_t force) override;
    void TakeValue() override;
};
