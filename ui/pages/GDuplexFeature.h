#pragma once
// Printing on both sides as the user sees it: 0 off, 1 on, 2 on with the
// pages flipped up. The setting (253) names the binding edge instead (1
// short, 2 long), so the same choice stores another edge in landscape than
// in portrait (265). Switching both sides off also switches booklets off:
// a booklet cannot be printed on one side.
#include <cstdint>

#include "ui/framework/GValueFeature.h"
#include "ui/pages/GBookletFeature.h"

class GDuplexFeature : public GValueFeature {
public:
    static constexpr int16_t kOff = 0;
    static constexpr int16_t kBothSides = 1;
    static constexpr int16_t kFlipUp = 2;

    explicit GDuplexFeature(GUIModel* model);

    int16_t GetValue() override;
    int32_t SetValue(int16_t value) override;
    // Changed when 253, the orientation or the booklet (which takes the
    // flip away) changed.
    int32_t WasChanged() override;
    // The rules' level for both sides.
    uint16_t GetState() override;

    // Whether a booklet is chosen (it leaves no flip to choose).
    bool BookletOn() { return booklet_.GetValue() != GBookletFeature::kOff; }

private:
    bool Upright();

    GBookletFeature booklet_;
};
