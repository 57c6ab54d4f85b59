#pragma once
// Rules that follow the form-to-tray assignments (510, the NT Forms tab):
// while forms are assigned to trays, the tray follows the form and the
// paper source is automatic; the paper size and the media types must be
// ones the assignments use.
#include "ui/framework/GAvailabilityRule.h"

class GFormToTrayDatabase;

class GMediaTypeSourceRule : public GAvailabilityRule {
public:
    using GAvailabilityRule::GAvailabilityRule;
    // Reads once per propagation whether any assignment exists.
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;

private:
    // The paper follows the assignments, and the media types too.
    void FollowAssignments(bool differentFirst);
    // The type name of typeId becomes automatic when the assignments never
    // pair it with paper.
    void KeepAssignedType(int16_t paper, uint32_t typeId);

    bool assigned_ = false;
};

// With assignments, the "More..." configuration button is disabled and
// paper types are no longer listed as sources (197 off).
class GFormToTrayRule : public GAvailabilityRule {
public:
    // "To use this feature, clear all the Form to Tray Assignments ..."
    static constexpr uint16_t kClearAssignments = 5171;
    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};

// The sheet's form-to-tray table, or null.
GFormToTrayDatabase* FindFormToTray(GUIModel& model);
