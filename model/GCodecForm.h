#pragma once
// The form a settings-codec record travels in, as the colour-control records
// see it: compact (non-zero) writes and reads their version and id words as
// 16-bit values, the wide form as 32-bit values.
//
// The settings codec of the driver (driver/GSettingsCodec.h) is one; the
// records take it through this base, so the model needs nothing from the
// driver.
#include <cstdint>

class GCodecForm {
public:
    GCodecForm() = default;
    explicit GCodecForm(uint32_t compactMode) : compactMode_(compactMode) {}
    virtual ~GCodecForm() = default;

    uint32_t GetCompactMode() const { return compactMode_; }
    bool IsCompactMode() const { return compactMode_ != 0; }
    void SetCompactMode(uint32_t compactMode) { compactMode_ = compactMode; }

private:
    uint32_t compactMode_ = 0;
};
