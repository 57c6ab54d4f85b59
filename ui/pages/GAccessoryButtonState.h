#pragma once
// The state of a button that opens an accessory's options: hidden unless
// the installed accessory is of the button's kind, then usable only while
// the option it configures is on (1).
#include <cstdint>

#include "ui/framework/GFeature.h"

inline uint16_t AccessoryButtonState(bool accessoryFits, int16_t optionValue) {
    if (!accessoryFits) return GFeature::kHidden;
    return optionValue == 1 ? GFeature::kEnabled : GFeature::kDisabled;
}
