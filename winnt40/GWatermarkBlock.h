#pragma once
// The drawing block of one watermark, built from a watermark entry of the
// settings for a document and drawn on each page that gets the mark.
#include <cstdint>

#include "rw/RWWString.h"
#include "winapi/WinGdiDraw.h"

class GWatermarkBlock {
public:
    RWWString text;
    uint32_t length = 0; // characters of text
    LOGFONTW font{};
    // Set once the angle, height and origin are worked out for a page.
    uint32_t prepared = 0;
    int32_t pointSize = 0;
    COLORREF colour = 0;
    int32_t angleKind = 0;   // 0 level, 1 and 3 the page diagonal, 2 upright, 4 custom
    int32_t customAngle = 0; // degrees
    POINT origin{0, 0};      // device pixels
};
