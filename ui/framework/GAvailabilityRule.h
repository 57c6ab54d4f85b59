#pragma once
// What the availability rules share: reading and writing the current
// settings, the pairs of composite 283 (a level and the string id of its
// reason), and the conditions that several rules test in their own order.
//
// Every rule re-derives its levels on every pass: Reset has set them back
// to 0 at the first pass of the propagation, so a rule that skipped its
// reading for want of a changed id would lose a level that still holds. The
// changed ids only decide whether a rule asks the user or forces a setting.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "rw/RWCString.h"
#include "ui/framework/GConstraintRule.h"

class GAvailabilityRule : public GConstraintRule {
public:
    using GConstraintRule::GConstraintRule;

    // Reasons that several rules give, each for one condition.
    static constexpr uint16_t kScaleNot100 = 5108;       // 269 is not 100
    static constexpr uint16_t kSeveralPages = 5109;      // 266 is not 1
    static constexpr uint16_t kBitmapsUnscalable = 5110; // 293 on, the printer cannot scale them
    static constexpr uint16_t kBookletOn = 5115;         // 279 is not 0
    static constexpr uint16_t kPrintOnOtherPaper = 5135; // 270 is 1

    // Trays (258, 263, 921), bins (248), papers (260, 272) and rendering
    // modes (255) the rules name.
    static constexpr int16_t kTray1 = 6;
    static constexpr int16_t kManualFeed = 18;
    static constexpr int16_t kAutomaticTray = 19;
    static constexpr int16_t kTopBin = 1;
    static constexpr int16_t kRearBin = 2;
    static constexpr int16_t kAccessoryBin = 4;
    static constexpr int16_t kLetter = 1;
    static constexpr int16_t kLegal = 6;
    static constexpr int16_t kA4 = 23;
    static constexpr int16_t kGraphicsAsRaster = 2;
    static constexpr int16_t kPageAsRasterMode = 3;
    // What a tree without 266 or 269 means: one page per sheet, unscaled.
    static constexpr int16_t kOnePagePerSheet = 1;
    static constexpr int16_t kUnscaled = 100;
    // 920: the back cover comes from a source of its own (921, 973).
    static constexpr int16_t kBackCoverFromOwnSource = 2;

protected:
    // A value of the current settings (0 when missing).
    int16_t Value(uint32_t id);
    // The same, with fallback when the setting is missing: pages per sheet
    // and scale read 1 and 100 when a tree lacks them, not 0.
    int16_t ValueOr(uint32_t id, int16_t fallback);
    RWCString Text(uint32_t id);
    // Writes a value of the current settings (recorded; nothing when equal).
    void Write(uint32_t id, int16_t value);
    void WriteText(uint32_t id, const RWCString& text);
    // A value of composite 283 (0 when missing).
    int16_t Level(uint32_t id);
    bool HasLevel(uint32_t id);
    void SetMessage(uint32_t messageId, uint16_t message);
    // Message 0 and level 0.
    void ClearPair(uint32_t levelId, uint32_t messageId);
    // Raises the level and writes the reason.
    void RaisePair(uint32_t levelId, uint32_t messageId, uint16_t message, uint16_t level = 1);

    static bool AnyChanged(const std::vector<uint32_t>& keys, std::initializer_list<uint32_t> ids);
    // The first of reasons (from the shared ones above) whose condition
    // holds; 0 when none does.
    uint16_t FirstSharedReason(std::initializer_list<uint16_t> reasons);
    bool SharedReasonHolds(uint16_t reason);
    // Bit 0 of capability set 135 of the printer configuration: TrueType
    // bitmaps may be scaled.
    bool BitmapsScalable();
    // The paper the job is printed on: 272 while 270 is 1, else 260.
    int16_t PrintedPaper();
    // 611 of the printer configuration, read once by the rules that tie
    // options to the PJL job commands.
    bool TakesPjlJobCommands();
};
