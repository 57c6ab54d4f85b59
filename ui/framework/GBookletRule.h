#pragma once
// Booklet printing (279) needs the duplex unit (hidden without it) and a
// page that is neither scaled, stapled nor bound, one page per sheet, and
// Letter, Legal or A4. A booklet that becomes unavailable is turned off, and
// duplex, when on, goes back to the long edge. The booklet maker takes the
// booklets in its bin 4 from the inside out (288).
#include "ui/framework/GAvailabilityRule.h"

class GBookletRule : public GAvailabilityRule {
public:
    // A tip: duplex is off.
    static constexpr uint16_t kDuplexOffTip = 11902;
    static constexpr uint16_t kStapleOn = 5117;
    static constexpr uint16_t kBindOn = 5406;
    static constexpr uint16_t kPaperSize = 5116;

    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

    // Letter, Legal or A4: the sizes booklets, staples and binding take.
    static bool IsFinishingSize(int16_t paper);

private:
    uint16_t FirstReason(bool bookletMaker);
    void SwitchOff();
};
