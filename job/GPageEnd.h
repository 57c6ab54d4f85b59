#pragma once
// The command that closes a page (class 710, "GPageEnd").
//
// Saved form: the GPageCommand part, then u32 version (1).
#include <cstdint>

#include "job/GPageCommand.h"

class GPageEnd : public GPageCommand {
    MPERSISTENT_CLASS_MEMBERS(GPageEnd, GPageCommand, 710)
    RW_DECLARE_GUTS()

public:
    // Id 0 (or the given id) and a new state stamped 256.
    GPageEnd() : GPageCommand(0) {}
    explicit GPageEnd(uint32_t id) : GPageCommand(id) {}
    // The given state (stamped 256), or a new one.
    GPageEnd(GState* state, uint32_t id) : GPageCommand(state, id) {}
    GPageEnd(const GPageEnd& other) = default;
    GPageEnd& operator=(const GPageEnd& other) = default;
    ~GPageEnd() override;

    // The page command's size + 4.
    uint32_t BinaryStoreSize() const override;
    uint16_t Accept(GPeripheral& device) override;
};
