#pragma once
// The image compression of the rendering side (297): 0 none, 1 run-length;
// always available.
#include "ui/framework/GValueFeature.h"

class GImageCompressionFeature : public GValueFeature {
public:
    static constexpr int16_t kNoCompression = 0;
    static constexpr int16_t kRunLength = 1;

    explicit GImageCompressionFeature(GUIModel* model);
};
