#pragma once
// The watermarks a printer's pool starts with, and the face they are drawn
// in, which follows the language of the module's resources.
#include <cstdint>

#include "rw/RWCString.h"

class MPersistentObject;

// The message of the none entry, " (none)".
inline constexpr uint16_t kWatermarkNoneText = 11060;

// A string of the resource library in the ANSI code page, as the settings
// keep watermark texts; empty when it is missing.
RWCString WatermarkResourceText(uint16_t id);

struct GWatermarkFace {
    uint16_t charSet = 0;
    // In the bytes of the resources' code page.
    RWCString name;
};

// The face for resources written in codePage on a system of this platform
// family (GOSVersionInfo::GetFamily).
GWatermarkFace DefaultWatermarkFace(uint16_t codePage, uint32_t family);

// Appends the none entry, "Confidential", "SAMPLE" and "Draft" to pool, in
// that order, in face and at the grey level grey.
void AddDefaultWatermarks(MPersistentObject& pool, const GWatermarkFace& face, uint16_t grey);
