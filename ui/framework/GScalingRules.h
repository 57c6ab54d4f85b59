#pragma once
// The rules of the options that change the size of the printed page: the
// tip on the Paper tab while the document goes on other paper, % of normal
// size, "Print Document On", and TrueType as bitmaps. Each gives the first
// reason of its own order that holds, with level 1.
#include "ui/framework/GAvailabilityRule.h"

// The Paper tab's tip while the document is printed on a paper size (272)
// other than its own (260), shown on the all-pages tab only.
class GFitToPaperTipRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kOtherPaperTip = 5301;
    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};

class GScaleRule : public GAvailabilityRule {
public:
    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};

class GFitToLetterRule : public GAvailabilityRule {
public:
    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};

// A disabled option also turns off: the preset's copy (220) and 293.
class GTrueTypeAsBitmapsRule : public GAvailabilityRule {
public:
    // "To use this feature, turn off the "Send Page as Raster" option."
    static constexpr uint16_t kPageAsRaster = 5153;
    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};
