#include "winapi/internal/WinSurface.h"

#include <algorithm>

bool WinSurface::SizeAllowed(LONG width, LONG height) {
    return width >= 0 && height >= 0 && width <= kMaxSide && height <= kMaxSide &&
           static_cast<size_t>(width) * static_cast<size_t>(height) <= kMaxPixels;
}

WinSurface::WinSurface(LONG width, LONG height, bool monochrome, COLORREF fill)
    : width_(SizeAllowed(width, height) ? width : 0), height_(SizeAllowed(width, height) ? height : 0),
      monochrome_(monochrome) {
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), Store(fill));
}

COLORREF WinSurface::Store(COLORREF color) const {
    color &= 0x00FFFFFF;
    if (!monochrome_) return color;
    // Monochrome surfaces keep black and white: a colour becomes the nearer.
    const unsigned luminance =
        (GetRValue(color) * 30u + GetGValue(color) * 59u + GetBValue(color) * 11u) / 100u;
    return luminance >= 128 ? 0x00FFFFFF : 0;
}

COLORREF WinSurface::Get(LONG x, LONG y) const {
    if (!Contains(x, y)) return CLR_INVALID;
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void WinSurface::Set(LONG x, LONG y, COLORREF color) {
    if (!Contains(x, y)) return;
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = Store(color);
}

void WinSurface::Fill(const RECT& rect, COLORREF color) {
    const LONG left = std::max<LONG>(rect.left, 0), right = std::min(rect.right, width_);
    const LONG top = std::max<LONG>(rect.top, 0), bottom = std::min(rect.bottom, height_);
    const COLORREF stored = Store(color);
    for (LONG y = top; y < bottom; ++y)
        std::fill(pixels_.begin() + y * width_ + left, pixels_.begin() + y * width_ + right, stored);
}
