#pragma once
// The command that carries a render state and draws nothing (class 712,
// "GNullCommand"): a device applies its state like any other command's, and
// its Accept calls no operation.
//
// Saved form: the GCommand part, then u32 version (1).
#include <cstdint>

#include "pipeline/GCommand.h"

class GNullCommand : public GCommand {
    MPERSISTENT_CLASS_MEMBERS(GNullCommand, GCommand, 712)
    RW_DECLARE_GUTS()

public:
    GNullCommand() = default;
    explicit GNullCommand(uint32_t id) : GCommand(id) {}
    GNullCommand(GState* state, uint32_t id) : GCommand(state, id) {}
    GNullCommand(const GNullCommand& other) = default;
    GNullCommand& operator=(const GNullCommand& other) = default;
    ~GNullCommand() override;

    // GCommand's size + 4.
    uint32_t BinaryStoreSize() const override;
    // 0; no device operation.
    uint16_t Accept(GPeripheral& device) override;
};
