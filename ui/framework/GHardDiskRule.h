#pragma once
// The availability of variable data (702), which needs the printer hard disk
// (239): without the disk the option is shown disabled with the reason 5113,
// and turned off. When the user has it on without a disk, a conflict dialog
// asks first: OK turns it off, Cancel gives back every setting as it was at
// the outermost update.
#include "ui/framework/GConstraintRule.h"

class GHardDiskRule : public GConstraintRule {
public:
    // "To use this feature, turn on the "Printer Hard Disk" setting ..."
    static constexpr uint16_t kNeedsHardDisk = 5113;

    explicit GHardDiskRule(GUIModel* model) : GConstraintRule(model) {}

    void Reset() override;
    void Evaluate(const std::vector<uint32_t>& keys, uint32_t firstPass) override;
};
