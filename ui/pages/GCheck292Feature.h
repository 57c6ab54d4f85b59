#pragma once
// The collation setting (292) as a check box's feature, with the two
// readings its control needs: collation written as on (1) or off (0), and
// the result of the last discovery of the installed options (313).
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GCheck292Feature : public GValueFeature {
public:
    explicit GCheck292Feature(GUIModel* model);

    // 1 for the value 1, 0 for any other.
    int32_t SetChecked(int16_t value);
    // Value 313 of the current settings; 0 when absent.
    int16_t DiscoveryResult() const;
};
