#pragma once
// The staple (278) and bind (612) options of the output accessories. Each
// exists only while its accessory is installed (316 names it in the
// accessory table; otherwise the option is hidden and off) and is disabled
// while a booklet is printed, for sizes other than Letter, Legal and A4,
// and for card stock, labels and transparencies.
//
// With the option on, a user who picks a paper size or type it cannot take
// is asked (OK turns the option off); Cancel undoes the whole change.
#include "ui/framework/GAvailabilityRule.h"

class GFinisherRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kPaperSize = 5116;
    static constexpr uint16_t kMediaType = 5145;

    using GAvailabilityRule::GAvailabilityRule;

protected:
    // true when the user cancelled (the change is undone); after OK the
    // option is off when turnsOff.
    bool Ask(uint16_t question, uint32_t optionId, bool turnsOff);
    // The size and type questions: true when the user cancelled.
    bool AskAboutSizeOrType(const std::vector<uint32_t>& keys, uint32_t optionId, uint16_t sizeQuestion,
                            uint16_t typeQuestion);
    // 5115, 5116, 5145 in this order; 0 when none holds.
    uint16_t FirstFinisherReason();
    // The accessory role 316 names (0: none).
    int16_t InstalledOutputRole();
    // The printed paper, a custom size as the standard paper of its name.
    int16_t StandardPrintedPaper();
};

// The stapler/stacker (tip 5303), the booklet maker and the mailbox (tip
// 5302) staple. Only the stapler/stacker offers staple options (289): they
// follow the staple (7, none, while off), and its staples reach the page
// only on Letter or A4 upright, or on the other sizes turned (with 2 or 6
// pages per sheet the sheet turns once more): else the options are
// disabled (5118) and an angled staple becomes a straight one. Turning the
// staple on, or changing pages per sheet, where they cannot reach asks to
// turn the page (5161 to landscape, 5162 to portrait); a new orientation that
// leaves them out asks too (5163); OK turns the staple off. Changing duplex
// while stapling warns (5152; OK keeps it). The mailbox sorts stapled jobs
// itself, so its bin processing is sent as raw PJL (240) while stapling.
class GStapleRule : public GFinisherRule {
public:
    static constexpr uint16_t kOptionsSize = 5118;
    static constexpr uint16_t kAskSize = 5118;
    static constexpr uint16_t kAskType = 5138;
    static constexpr uint16_t kAskDuplex = 5152;
    static constexpr uint16_t kAskLandscape = 5161;
    static constexpr uint16_t kAskPortrait = 5162;
    static constexpr uint16_t kAskOrientation = 5163;
    static constexpr uint16_t kStackerTip = 5303;
    static constexpr uint16_t kStaplerTip = 5302;

    using GFinisherRule::GFinisherRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

    // Whether the stapler/stacker's staples reach the printed page.
    bool StaplesReachThePage();

private:
    bool AskAboutLayout(const std::vector<uint32_t>& keys, int16_t role);
    void FollowStapleOptions(int16_t role);
    void WriteBinProcessing(int16_t role);
};

// The binder (613 follows whether it is installed). It also needs the
// duplex unit (5405); without a reason it shows its tip (5304) while bind
// is on, and output to the accessory bin (4) cancels binding (612 = 3).
// Turning bind on, or changing orientation or duplex while binding, on a
// turned page or one side only warns (5407; OK keeps it).
class GBindRule : public GFinisherRule {
public:
    static constexpr uint16_t kNoDuplexUnit = 5405;
    static constexpr uint16_t kBinderTip = 5304;
    static constexpr uint16_t kAskSize = 5402;
    static constexpr uint16_t kAskType = 5403;
    static constexpr uint16_t kAskLayout = 5407;

    using GFinisherRule::GFinisherRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

private:
    void ShowTip();
};
