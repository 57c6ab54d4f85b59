#pragma once
// Rules of the options that reach the printer as PJL job commands. On a
// printer that takes them (611, read once when the rule is made) those
// options need "Send PJL - Job Commands" (579), and while any of them is on
// the send-PJL option is forced on and disabled.
#include "ui/framework/GAvailabilityRule.h"

// "To use this feature, turn on the "Send PJL - Job Commands" option ..."
inline constexpr uint16_t kNeedsPjlJobCommands = 5154;

class GOptimizePQRule : public GAvailabilityRule {
public:
    explicit GOptimizePQRule(GUIModel* model);
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

private:
    bool takesPjl_;
};

class GSendPJLRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kEconoModeOn = 5158;
    static constexpr uint16_t kEdgeSmoothingOn = 5155;
    static constexpr uint16_t kJobRetentionOn = 5157;
    static constexpr uint16_t kOtherBin = 5156;
    // "Turning this feature off will deactivate other features."
    static constexpr uint16_t kTurningOffTip = 5305;

    explicit GSendPJLRule(GUIModel* model);
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

private:
    uint16_t FirstReason();

    bool takesPjl_;
};
