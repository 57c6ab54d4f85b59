#pragma once
// How the pages are stapled (289): 1 one staple, 2 one staple angled, 3
// two, 4 three, 5 six staples, 6 as the network administrator defined.
// An angled staple needs a sheet that leaves the stapled corner free: a
// portrait Letter or A4 page, or a landscape page of another size (never
// Legal), where two or six pages per sheet turn the sheet on its side.
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GStapleOptionsFeature : public GValueFeature {
public:
    static constexpr int16_t kOneStaple = 1;
    static constexpr int16_t kOneAngled = 2;
    static constexpr int16_t kTwoStaples = 3;
    static constexpr int16_t kThreeStaples = 4;
    static constexpr int16_t kSixStaples = 5;
    static constexpr int16_t kCustom = 6;

    explicit GStapleOptionsFeature(GUIModel* model);

    // Changed when 289 or the orientation changed.
    int32_t WasChanged() override;
    // Whether an angled staple fits the document's paper and orientation.
    bool AngledAllowed();
};
