#pragma once
// The tag-length-value codec of the settings blob that travels in the
// DEVMODE. Only the state the attribute codec routines read is here so far:
// the compact-mode flag. The encoder and decoder of the whole tree build on
// this class.
//
// Compact mode (non-zero): the colour-control routines write and read their
// version and id words as 16-bit values; otherwise as 32-bit values.
#include <cstdint>

class GSettingsCodec {
public:
    GSettingsCodec() = default;
    explicit GSettingsCodec(uint32_t compactMode) : compactMode_(compactMode) {}
    virtual ~GSettingsCodec() = default;

    uint32_t GetCompactMode() const { return compactMode_; }
    bool IsCompactMode() const { return compactMode_ != 0; }
    void SetCompactMode(uint32_t compactMode) { compactMode_ = compactMode; }

private:
    uint32_t compactMode_ = 0;
};
