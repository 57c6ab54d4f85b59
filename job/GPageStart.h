#pragma once
// The command that opens a page (class 709, "GPageStart").
//
// Saved form: the GPageCommand part, then u32 version (1).
#include <cstdint>

#include "job/GPageCommand.h"

class GPageStart : public GPageCommand {
    MPERSISTENT_CLASS_MEMBERS(GPageStart, GPageCommand, 709)
    RW_DECLARE_GUTS()

public:
    // Id 0 (or the given id) and a new state stamped 256.
    GPageStart() : GPageCommand(0) {}
    explicit GPageStart(uint32_t id) : GPageCommand(id) {}
    // The given state (stamped 256), or a new one.
    GPageStart(GState* state, uint32_t id) : GPageCommand(state, id) {}
    GPageStart(const GPageStart& other) = default;
    GPageStart& operator=(const GPageStart& other) = default;
    ~GPageStart() override;

    // The page command's size + 4.
    uint32_t BinaryStoreSize() const override;
    uint16_t Accept(GPeripheral& device) override;
};
