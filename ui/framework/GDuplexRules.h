#pragma once
// Rules of printing on both sides: by the duplex unit (253) and by hand
// (manual duplex, 245).
#include "ui/framework/GAvailabilityRule.h"

// Duplex is hidden without a duplex unit (308 = 0). Otherwise disabled when
// the paper or its type cannot go through the unit, when a source feeds by
// hand or single sheets (Tray 1, 6, and Manual Feed, 18), or when the PJL
// job commands it needs are off. A user who picks a paper size or type that
// the unit refuses while duplex is on is asked: OK turns duplex off.
class GDuplexRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kSizeNotDuplexable = 5111;
    static constexpr uint16_t kTypeNotDuplexable = 5112;
    static constexpr uint16_t kNeedsAutofeedTray = 5160;
    static constexpr uint16_t kAskTypeConflict = 5101;
    static constexpr uint16_t kAskSizeConflict = 5102;

    explicit GDuplexRule(GUIModel* model);
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

    // The unit prints a paper when the printer lists it among its duplex
    // papers (188 of the printer configuration; a custom size as the
    // standard paper of its name); a printer without that list prints every
    // paper on both sides.
    bool IsDuplexable(int16_t paper);

private:
    // true when the user cancelled (the changes are undone).
    bool AskAboutChanges(const std::vector<uint32_t>& keys);
    uint16_t FirstReason();

    bool takesPjl_;
};

// Manual duplex is disabled and turned off while duplex is on (5408,
// which wins) or while the PJL job commands it needs are off (5154). A
// user who turns it on with a paper type the printer cannot turn over
// (5112), without the PJL job commands (5154), or with another bin than
// the top bin (5141; OK moves the output to the top bin) is asked first.
class GManualDuplexRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kDuplexOn = 5408;
    static constexpr uint16_t kAskType = 5112;
    static constexpr uint16_t kAskBin = 5141;

    explicit GManualDuplexRule(GUIModel* model);
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

private:
    bool AskWhenTurnedOn(const std::vector<uint32_t>& keys);

    bool takesPjl_;
};
