#pragma once
// The command that asks the writer for a download header (class 610,
// "GDownloadHeaderCommand"): a 32-bit selector the PostScript writer acts
// on; other devices answer 0.
//
// Saved form: the GCommand part, u32 version (1), u32 value.
#include <cstdint>

#include "pipeline/GCommand.h"

class GDownloadHeaderCommand : public GCommand {
    MPERSISTENT_CLASS_MEMBERS(GDownloadHeaderCommand, GCommand, 610)
    RW_DECLARE_GUTS()

public:
    GDownloadHeaderCommand() = default;
    GDownloadHeaderCommand(uint32_t value, uint32_t id) : GCommand(id), value_(value) {}
    GDownloadHeaderCommand(const GDownloadHeaderCommand& other) = default;
    // GCommand's part, then the value.
    GDownloadHeaderCommand& operator=(const GDownloadHeaderCommand& other) = default;
    ~GDownloadHeaderCommand() override;

    // GCommand's size + 8.
    uint32_t BinaryStoreSize() const override;
    // Equal values and GCommand's part.
    bool IsEqualId(const MPersistentObject* other) const override;
    uint16_t Accept(GPeripheral& device) override;

    uint32_t GetValue() const { return value_; }

private:
    uint32_t value_ = 0;
};
