#pragma once
// The command that stands for nothing to do (class 715, "GNoCommand"): a
// device that swallows a command answers one in its place, and every device
// passes it on untouched. It never carries a state.
//
// Saved form: the GCommand part (with the nil state), then u32 version (1).
// A restored one that names a state fails the restore.
#include <cstdint>

#include "pipeline/GCommand.h"

class GNoCommand : public GCommand {
    MPERSISTENT_CLASS_MEMBERS(GNoCommand, GCommand, 715)
    RW_DECLARE_GUTS()

public:
    GNoCommand() = default;
    explicit GNoCommand(uint32_t id) : GCommand(id) {}
    GNoCommand(const GNoCommand& other) = default;
    GNoCommand& operator=(const GNoCommand& other) = default;
    ~GNoCommand() override;

    // GCommand's size + 4.
    uint32_t BinaryStoreSize() const override;
    // Attaches nothing: the state is released as a counted pointer would
    // release it (deleted only when nobody else holds it).
    void SetState(GState* state) override;
    // Attaches nothing; the caller keeps its hold.
    void AssignState(const GCountedPtr& state) override;
    // 0; no device operation.
    uint16_t Accept(GPeripheral& device) override;
};
