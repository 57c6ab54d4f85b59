#pragma once
// The watermarks a printer's pool starts with, and the face they are drawn
// in, which follows the language of the module's resources.
#include <cstdint>

#include "rw/RWCString.h"

class GAttributeComposite;
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

// The default records in pool order: the string ids of the name (0: the
// none entry, named by the empty text and showing kWatermarkNoneText) and of
// the size in points, the style and the built-in identity.
struct GDefaultWatermark {
    uint16_t nameText;
    uint16_t sizeText;
    uint16_t style;
    uint16_t identity;
};
inline constexpr GDefaultWatermark kDefaultWatermarks[] = {
    {0, 11077, 0, 0},
    {11074, 11078, 1, 1},
    {11076, 11079, 1, 3},
    {11075, 11080, 1, 2},
};

// A new record 380 with every field, diagonal, grey at the shade and in
// every colour byte; the caller owns it.
GAttributeComposite* NewWatermarkRecord(const RWCString& name, const RWCString& message,
                                        const GWatermarkFace& face, const GDefaultWatermark& row,
                                        uint16_t size, uint16_t grey);

// Appends the none entry, "Confidential", "SAMPLE" and "Draft" to pool, in
// that order, in face and at the grey level grey.
void AddDefaultWatermarks(MPersistentObject& pool, const GWatermarkFace& face, uint16_t grey);
