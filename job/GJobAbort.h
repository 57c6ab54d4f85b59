#pragma once
// The command that ends a job that is given up (class 713, "GJobAbort").
// It carries whatever state it is given (none by default).
//
// Saved form: the GCommand part, then u32 version (1).
#include <cstdint>

#include "pipeline/GCommand.h"

class GJobAbort : public GCommand {
    MPERSISTENT_CLASS_MEMBERS(GJobAbort, GCommand, 713)
    RW_DECLARE_GUTS()

public:
    GJobAbort() = default;
    explicit GJobAbort(uint32_t id) : GCommand(id) {}
    GJobAbort(const GJobAbort& other) = default;
    GJobAbort& operator=(const GJobAbort& other) = default;
    ~GJobAbort() override;

    // GCommand's size + 4.
    uint32_t BinaryStoreSize() const override;
    uint16_t Accept(GPeripheral& device) override;
};
