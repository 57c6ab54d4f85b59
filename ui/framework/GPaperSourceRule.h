#pragma once
// The paper sources of the first page (258), the other pages (263) and the
// back cover (921) against the printer's trays, the paper size and the
// media types. It governs no option of its own: it corrects the sources.
//
// A source the printer as configured does not offer (its unit removed or
// not installed) becomes automatic (19): nothing is known about the paper
// in it. A tray that is offered but cannot take the paper size or type
// becomes Tray 1 (6), which takes every size and type; the user is asked
// first when the change came from a new size or type (OK moves the source,
// Cancel undoes the change) or from a new tray (the same question from the
// tray's side).
#include "ui/framework/GAvailabilityRule.h"

class GAccessoryTable;

class GPaperSourceRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kAskTypeMovesTray = 5103;
    static constexpr uint16_t kAskSizeMovesTray = 5104;
    static constexpr uint16_t kAskTrayRefusesType = 5105;
    static constexpr uint16_t kAskTrayRefusesSize = 5106;

    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

    // The fixed tray/size test; largeInputTray: 315 names the large input
    // tray of the accessory table. Custom sizes are mapped to the standard
    // paper of their name before.
    static bool TrayTakesSize(int16_t tray, int16_t paper, bool largeInputTray);
    // Thick media and film go through Tray 1, Manual Feed and automatic
    // selection; envelopes also through the envelope feeder (5).
    static bool TrayTakesType(int16_t tray, const RWCString& type);

private:
    // One source and the media type that goes with it.
    struct Slot {
        uint32_t tray;
        uint32_t type;
    };
    std::vector<Slot> SlotsInUse();
    // Trays that are not offered become automatic; nothing without the
    // paper-handling units.
    void DropMissingTrays();
    // true when the user cancelled.
    bool CheckSlot(const std::vector<uint32_t>& keys, const Slot& slot, bool largeInputTray);
};
