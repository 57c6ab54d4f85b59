#pragma once
// Rules that follow what the printer has rather than what the document
// asks: the 1200 dpi resolution, the hard disk's hold on job retention and
// collation, and the state of the automatic configuration.
#include "ui/framework/GAvailabilityRule.h"

// Level 1 (no reason) at 1200 by 1200 dpi.
class GHighResolutionRule : public GAvailabilityRule {
public:
    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};

// Without the hard disk nothing is retained (287 off) and, where collation
// follows the disk (855), the printer does not collate (310 off); with the
// disk, held jobs (441) go back to the printer's own value and collation
// comes on. It governs no option.
class GHardDiskJobRetentionRule : public GAvailabilityRule {
public:
    using GAvailabilityRule::GAvailabilityRule;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};

// Without a discovery (313 = 0) the automatic configuration is disabled
// with its reason; after an automatic one (313 = 2) Update Now explains it.
class GConfigurationStatusRule : public GAvailabilityRule {
public:
    static constexpr uint16_t kNoBidirectional = 5144;
    static constexpr uint16_t kSetAutomatically = 5136;
    using GAvailabilityRule::GAvailabilityRule;
    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};
