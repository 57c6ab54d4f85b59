#pragma once
// Stapling on or off (278), read by the button that opens the stapling
// options, and the kind of the installed output accessory: its name (text
// 316) looked up in the printer's accessory table, 0 for none or an
// unknown name. Only the stapler/stacker kind offers stapling options.
#include <cstdint>

#include "ui/framework/GValueFeature.h"

class GStaplingButtonFeature : public GValueFeature {
public:
    static constexpr int16_t kStaplerStackerKind = 8;

    explicit GStaplingButtonFeature(GUIModel* model);

    int16_t AccessoryKind() const;
};
