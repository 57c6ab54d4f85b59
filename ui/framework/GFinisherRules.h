#pragma once
// The staple (278) and bind (612) options of the output accessories. Each
// exists only while its accessory is installed (316 names it in the
// accessory table; otherwise the option is hidden and off) and is disabled
// while a booklet is printed, for sizes other than Letter, Legal and A4,
// and for card stock, labels and transparencies.
//
// With the option on, a user who picks a paper size or type it cannot take
// is asked (OK turns the option off), and one who turns it on, or changes
// orientation or duplex, while printing landscape or on one side only, is
// warned that the finishing may not come out as intended (OK keeps it).
// Cancel undoes the whole change.
#include "ui/framework/GAvailabilityRule.h"

class GFinisherRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kPaperSize = 5116;
    static constexpr uint16_t kMediaType = 5145;

    using GAvailabilityRule::GAvailabilityRule;

protected:
    struct Questions {
        uint16_t size;
        uint16_t type;
        uint16_t layout;
    };
    // true when the user cancelled.
    bool AskAboutChanges(const std::vector<uint32_t>& keys, uint32_t optionId, const Questions& questions);
    // 5115, 5116, 5145 in this order; 0 when none holds.
    uint16_t FirstFinisherReason();
    // The accessory role 316 names (0: none).
    int16_t InstalledOutputRole();
};

// The stapler/stacker (tip 5303), the booklet maker and the mailbox (tip
// 5302) staple. Only the stapler/stacker offers staple options (289): they
// follow the staple (7, none, while off) and several staples need Letter or
// A4 (5118; two staples then become one). The mailbox sorts stapled jobs
// itself, so its bin processing is sent as raw PJL (240) while stapling.
class GStapleRule : public GFinisherRule {
public:
    static constexpr uint16_t kOptionsSize = 5118;
    static constexpr uint16_t kAskSize = 5118;
    static constexpr uint16_t kAskType = 5138;
    static constexpr uint16_t kAskLayout = 5152;
    static constexpr uint16_t kStackerTip = 5303;
    static constexpr uint16_t kStaplerTip = 5302;

    using GFinisherRule::GFinisherRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

private:
    void FollowStapleOptions(int16_t role);
    void WriteBinProcessing(int16_t role);
};

// The binder (613 follows whether it is installed). It also needs the
// duplex unit (5405); without a reason it shows its tip (5304) while bind
// is on, and output to the accessory bin (4) cancels binding (612 = 3).
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
