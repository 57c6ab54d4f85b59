#pragma once
// The sources of the Paper tab's other tabs against the first page's: the
// other pages (tab 1) and the back cover with a source of its own (tab 2,
// 920 = 2) are disabled with a reason while they would use the first page's
// tray, or for the back cover the other pages' tray; automatic selection
// (19) never counts as the same tray. Only the tab shown is judged.
#include "ui/framework/GAvailabilityRule.h"

class GFirstPageSourceRule : public GAvailabilityRule {
public:
    // Other pages: "... choose a source tray different from first page."
    static constexpr uint16_t kOtherPagesSameTray = 5165;
    // Back cover: the first page's tray, then the other pages' tray.
    static constexpr uint16_t kBackCoverFirstPageTray = 5168;
    static constexpr uint16_t kBackCoverOtherPagesTray = 5166;

    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

    // 1 when the back cover's tray is the first page's, 2 when it is the
    // other pages' (only while the first page differs), else 0.
    int CompareBackCoverTray();
};
