#pragma once
// The output bin (248) and the destination picture. Thick media and film
// go to the top bin (1) or the rear bin (2 of the printer itself); an
// output accessory's bins take them not. While an output accessory is
// installed (316), its bin 4 refuses those types and the sizes it cannot
// stack: the bin control is then disabled and the output goes to the top
// bin. Job retention needs job storage (520).
#include "ui/framework/GAvailabilityRule.h"

class GAccessoryTable;

class GOutputBinRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kAskTypeConflict = 5141;
    static constexpr uint16_t kAskSizeConflict = 5140;
    static constexpr uint16_t kSizeRefused = 5142;
    static constexpr uint16_t kTypeRefused = 5143;

    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

private:
    bool CannotTakeType(int16_t bin, bool accessoryNamed);
    // The accessory's bin stacks Letter, Legal and A4 (a custom size as the
    // standard paper of its name), for the printed paper and, with a
    // booklet, for the booklet's sheet.
    bool AccessoryTakesSize();
    // true when the user cancelled.
    bool AskAboutType(const std::vector<uint32_t>& keys, uint32_t firstPass, bool accessoryNamed);
    bool CheckAccessoryBin(const std::vector<uint32_t>& keys);
};
