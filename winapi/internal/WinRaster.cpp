#include "winapi/internal/WinRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "winapi/WinGdiDraw.h"

namespace {
bool Inside(const RECT& clip, LONG x, LONG y) {
    return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
}

// Whether the styled pen draws at this step of its pattern.
bool PatternOn(int style, int phase) {
    if (style == PS_DOT) return phase % 6 < 3;
    if (style == PS_DASH) return phase % 24 < 18;
    return true;
}
} // namespace

void WinRaster::Fill(WinSurface& surface, const RECT& clip, const RECT& rect, COLORREF color) {
    RECT area{};
    if (IntersectRect(&area, &rect, &clip)) surface.Fill(area, color);
}

void WinRaster::Pixel(WinSurface& surface, const RECT& clip, LONG x, LONG y, COLORREF color) {
    if (Inside(clip, x, y)) surface.Set(x, y, color);
}

void WinRaster::Line(WinSurface& surface, const RECT& clip, POINT from, POINT to, COLORREF color, LONG width,
                     int style, int& phase) {
    width = std::max<LONG>(width, 1);
    const LONG dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const LONG sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    LONG error = dx + dy, x = from.x, y = from.y;
    const LONG half = (width - 1) / 2;
    while (x != to.x || y != to.y) {
        if (width > 1)
            Fill(surface, clip, {x - half, y - half, x - half + width, y - half + width}, color);
        else if (PatternOn(style, phase))
            Pixel(surface, clip, x, y, color);
        ++phase;
        const LONG twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void WinRaster::FillPolygon(WinSurface& surface, const RECT& clip, const std::vector<POINT>& points,
                            COLORREF color) {
    if (points.size() < 3) return;
    LONG top = points[0].y, bottom = points[0].y;
    for (const POINT& point : points) {
        top = std::min(top, point.y);
        bottom = std::max(bottom, point.y);
    }
    top = std::max(top, clip.top);
    bottom = std::min(bottom, clip.bottom);
    std::vector<double> crossings;
    for (LONG y = top; y < bottom; ++y) {
        const double centre = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const POINT& a = points[i];
            const POINT& b = points[(i + 1) % points.size()];
            if ((a.y <= centre && centre < b.y) || (b.y <= centre && centre < a.y))
                crossings.push_back(a.x + (centre - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const auto left = static_cast<LONG>(std::ceil(crossings[i] - 0.5));
            const auto right = static_cast<LONG>(std::ceil(crossings[i + 1] - 0.5));
            Fill(surface, clip, {left, y, right, y + 1}, color);
        }
    }
}

bool WinRaster::FloodFill(WinSurface& surface, const RECT& clip, LONG x, LONG y, COLORREF color, UINT type,
                          COLORREF fill) {
    RECT area{};
    const RECT bounds = surface.Bounds();
    if (!IntersectRect(&area, &clip, &bounds) || !Inside(area, x, y)) return false;
    color &= 0x00FFFFFF;
    const auto qualifies = [&](LONG px, LONG py) {
        const COLORREF pixel = surface.Get(px, py);
        return type == FLOODFILLSURFACE ? pixel == color : pixel != color;
    };
    if (!qualifies(x, y)) return false;
    const LONG width = area.right - area.left, height = area.bottom - area.top;
    std::vector<bool> seen(static_cast<size_t>(width) * static_cast<size_t>(height), false);
    const auto index = [&](LONG px, LONG py) {
        return static_cast<size_t>(py - area.top) * static_cast<size_t>(width) +
               static_cast<size_t>(px - area.left);
    };
    std::vector<POINT> pending{{x, y}};
    seen[index(x, y)] = true;
    std::vector<POINT> region;
    while (!pending.empty()) {
        const POINT point = pending.back();
        pending.pop_back();
        region.push_back(point);
        const POINT next[] = {
            {point.x + 1, point.y}, {point.x - 1, point.y}, {point.x, point.y + 1}, {point.x, point.y - 1}};
        for (const POINT& n : next) {
            if (!Inside(area, n.x, n.y) || seen[index(n.x, n.y)] || !qualifies(n.x, n.y)) continue;
            seen[index(n.x, n.y)] = true;
            pending.push_back(n);
        }
    }
    for (const POINT& point : region)
        surface.Set(point.x, point.y, fill);
    return true;
}

COLORREF WinRaster::Rop(DWORD rop, COLORREF pattern, COLORREF source, COLORREF destination) {
    const DWORD code = (rop >> 16) & 0xFF;
    DWORD result = 0;
    for (DWORD bit = 0; bit < 8; ++bit) {
        if (((code >> bit) & 1) == 0) continue;
        const DWORD p = (bit & 4) != 0 ? pattern : ~pattern;
        const DWORD s = (bit & 2) != 0 ? source : ~source;
        const DWORD d = (bit & 1) != 0 ? destination : ~destination;
        result |= p & s & d;
    }
    return result & 0x00FFFFFF;
}
