#pragma once
// A bitmap as the module's resource data carries it (resource type
// RT_BITMAP). The layer's own byte layout, all little-endian:
//
//   offset 0  4 bytes  magic "QVB1"
//          4  u32      width in pixels (1 to 16384)
//          8  u32      height in pixels (1 to 16384)
//         12  u32 x width x height   the pixels, top row first, each a
//                      COLORREF 0x00BBGGRR (the high byte is zero)
//
// Parse refuses a size that does not match the pixel count exactly.
#include <vector>

#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

class QV_WINAPI_API WinBitmapResource {
public:
    LONG width = 0;
    LONG height = 0;
    std::vector<DWORD> pixels; // COLORREF values, top row first

    std::vector<BYTE> Serialize() const;
    static bool Parse(const BYTE* data, size_t size, WinBitmapResource& out);
};
