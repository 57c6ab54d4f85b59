#pragma once
// The pixel work of the drawing stand-in, in device coordinates, limited to
// a clipping rectangle: fills, lines with pen widths and styles, polygons
// (alternate filling), flood fills and raster operations.
#include <vector>

#include "winapi/internal/WinSurface.h"

class WinRaster {
public:
    static void Fill(WinSurface& surface, const RECT& clip, const RECT& rect, COLORREF color);
    static void Pixel(WinSurface& surface, const RECT& clip, LONG x, LONG y, COLORREF color);
    // From `from` to `to`, the end point excluded. Widths above 1 draw a
    // square pen centred on the line; styled pens (PS_DOT, PS_DASH) of
    // width 1 follow their pattern, carried on in `phase`.
    static void Line(WinSurface& surface, const RECT& clip, POINT from, POINT to, COLORREF color, LONG width,
                     int style, int& phase);
    static void FillPolygon(WinSurface& surface, const RECT& clip, const std::vector<POINT>& points,
                            COLORREF color);
    // FLOODFILLSURFACE: the region of pixels of `color` connected to the
    // start; FLOODFILLBORDER: the region up to pixels of `color`. False when
    // the start point does not qualify.
    static bool FloodFill(WinSurface& surface, const RECT& clip, LONG x, LONG y, COLORREF color, UINT type,
                          COLORREF fill);
    // The ternary raster operation of a ROP code on pattern, source and
    // destination colours.
    static COLORREF Rop(DWORD rop, COLORREF pattern, COLORREF source, COLORREF destination);
};
