#pragma once
// Where the "Document Options" group of the Finishing page starts: the
// group spans the options the printer has, so it starts lower when the
// printer can neither print on both sides nor finish (row of Bind, or of
// Staple when no option above it is usable at all).
#include <cstdint>

#include "ui/framework/GFeature.h"

class GFinishingPictureFeature : public GFeature {
public:
    // The group's top in dialog units: its place in the template, the row
    // of Bind, the row of Staple.
    static constexpr int32_t kTemplateTop = 46;
    static constexpr int32_t kBindRow = 118;
    static constexpr int32_t kStapleRow = 157;

    explicit GFinishingPictureFeature(GUIModel* model) : GFeature(model) {}

    int32_t GroupTop();

private:
    bool ManualDuplexDefault();
};
