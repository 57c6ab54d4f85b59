#pragma once
// The common part of the page start and end (kind id 708, never
// registered). A page command always carries a GState stamped with
// attribute id 256 (the page's settings group): the constructors make one
// when none is given and stamp a given one.
//
// Saved form: the GCommand part, then u32 version (1).
#include <cstdint>

#include "pipeline/GCommand.h"

class GPageCommand : public GCommand {
    MPERSISTENT_KIND_MEMBERS(GPageCommand, GCommand, 708)
    RW_DECLARE_GUTS()

public:
    explicit GPageCommand(uint32_t id);
    GPageCommand(GState* state, uint32_t id);
    GPageCommand(const GPageCommand& other) = default;
    GPageCommand& operator=(const GPageCommand& other) = default;
    ~GPageCommand() override;

    // GCommand's size + 4.
    uint32_t BinaryStoreSize() const override;
    // Only a GState is attached (stamped 256); null keeps the current one.
    void SetState(GState* state) override;
};
