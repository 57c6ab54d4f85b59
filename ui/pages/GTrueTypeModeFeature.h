#pragma once
// How a PostScript job sends TrueType fonts (570: 0 as TrueType, 1 as
// bitmaps, 2 as outlines) and which fonts the printer substitutes (571),
// with the third font option (572) that changes along with them. Sending
// bitmaps keeps "Send TrueType as Bitmaps" (293) on; so does a printer
// whose configuration forces bitmaps (958), which the feature reads once,
// when it is made.
#include <cstdint>

#include "ui/pages/GValueGroupFeature.h"

class GTrueTypeModeFeature : public GValueGroupFeature {
public:
    static constexpr int16_t kTrueType = 0;
    static constexpr int16_t kBitmaps = 1;
    static constexpr int16_t kOutlines = 2;
    // Places of the group.
    static constexpr size_t kSendModePlace = 0;
    static constexpr size_t kSubstitutionPlace = 1;

    explicit GTrueTypeModeFeature(GUIModel* model);

    bool BitmapsForced() const { return forced_; }
    // The send mode; bitmaps while they are forced.
    int16_t SendMode() const;
    // 570 := mode, then 293 := 1 for bitmaps (or while they are forced),
    // else 0; 1 when both are in place.
    int32_t SetSendMode(int16_t mode);
    int16_t Substitution() const { return Value(kSubstitutionPlace); }
    int32_t SetSubstitution(int16_t substitution) { return SetValue(kSubstitutionPlace, substitution); }

private:
    bool forced_;
};
