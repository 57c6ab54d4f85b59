#pragma once
// The PostScript output options of the PostScript tab: what the output is
// optimised for (574: 0 faster printing, 1 document portability), mirror
// image (575) and negative image (576), 1 meaning on.
#include "ui/pages/GValueGroupFeature.h"

class GPSOptionsFeature : public GValueGroupFeature {
public:
    static constexpr size_t kOptimisationPlace = 0;
    static constexpr size_t kMirrorPlace = 1;
    static constexpr size_t kNegativePlace = 2;

    explicit GPSOptionsFeature(GUIModel* model);
};
