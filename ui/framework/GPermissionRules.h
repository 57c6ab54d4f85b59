#pragma once
// Rules of the settings a user without the right to save system settings
// may not change: the custom paper sizes and the quick sets, and the
// options that depend on the same permission.
#include "ui/framework/GAvailabilityRule.h"

class GPermissionRule : public GAvailabilityRule {
public:
    // "This feature is not available because you do not have permission ..."
    static constexpr uint16_t kNoPermission = 5137;
    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};

// Runs after the permission rule: it follows the custom sizes' level.
class GPermissionDependentRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kNoPermission = 5170;
    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};
