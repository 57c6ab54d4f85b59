#pragma once
// The pixels behind a bitmap: width x height COLORREF values (0x00BBGGRR),
// top row first. A monochrome surface holds only black (0) and white
// (0xFFFFFF). Reads and writes outside the surface are ignored (reads give
// CLR_INVALID).
#include <vector>

#include "winapi/WinGdiHandles.h"
#include "winapi/WinGeometry.h"

class WinSurface {
public:
    // Sizes are limited so that no bitmap request can exhaust memory.
    static constexpr LONG kMaxSide = 16384;
    static constexpr size_t kMaxPixels = size_t{1} << 26;
    static bool SizeAllowed(LONG width, LONG height);

    WinSurface(LONG width, LONG height, bool monochrome, COLORREF fill = 0);

    LONG Width() const { return width_; }
    LONG Height() const { return height_; }
    bool Monochrome() const { return monochrome_; }
    RECT Bounds() const { return {0, 0, width_, height_}; }
    bool Contains(LONG x, LONG y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    COLORREF Get(LONG x, LONG y) const;
    void Set(LONG x, LONG y, COLORREF color);
    // Fills the part of the rectangle that lies on the surface.
    void Fill(const RECT& rect, COLORREF color);
    // A colour as this surface stores it: RGB only, and on a monochrome
    // surface black or white, whichever is nearer.
    COLORREF Store(COLORREF color) const;
    const std::vector<COLORREF>& Pixels() const { return pixels_; }

private:
    LONG width_;
    LONG height_;
    bool monochrome_;
    std::vector<COLORREF> pixels_;
};
