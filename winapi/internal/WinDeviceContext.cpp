#include "winapi/internal/WinDeviceContext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// value x numerator / denominator, rounded to nearest (halves away from 0).
LONG Scale(LONG value, LONG numerator, LONG denominator) {
    if (denominator == 0) return value;
    return static_cast<LONG>(std::llround(static_cast<double>(value) * numerator / denominator));
}
} // namespace

WinDeviceContext::WinDeviceContext(Kind kindValue, std::shared_ptr<WinSurface> surface, HWND windowValue)
    : kind(kindValue), window(windowValue), own_(std::move(surface)) {}

WinSurface* WinDeviceContext::Surface() const {
    if (kind == Kind::Memory) return state.bitmap != nullptr ? state.bitmap->bitmap.get() : nullptr;
    return own_.get();
}

SIZE WinDeviceContext::DeviceSize() const {
    if (kind == Kind::Printer) return {printer.width, printer.height};
    const WinSurface* surface = Surface();
    return surface != nullptr ? SIZE{surface->Width(), surface->Height()} : SIZE{0, 0};
}

RECT WinDeviceContext::DrawableArea() const {
    const WinSurface* surface = Surface();
    RECT area = surface != nullptr ? surface->Bounds() : RECT{0, 0, 0, 0};
    if (state.clipped && !IntersectRect(&area, &area, &state.clip)) SetRectEmpty(&area);
    return area;
}

POINT WinDeviceContext::ToDevice(POINT logical) const {
    return {Scale(logical.x - state.windowOrigin.x, state.viewportExtent.cx, state.windowExtent.cx) +
                state.viewportOrigin.x,
            Scale(logical.y - state.windowOrigin.y, state.viewportExtent.cy, state.windowExtent.cy) +
                state.viewportOrigin.y};
}

POINT WinDeviceContext::ToLogical(POINT device) const {
    return {Scale(device.x - state.viewportOrigin.x, state.windowExtent.cx, state.viewportExtent.cx) +
                state.windowOrigin.x,
            Scale(device.y - state.viewportOrigin.y, state.windowExtent.cy, state.viewportExtent.cy) +
                state.windowOrigin.y};
}

LONG WinDeviceContext::ScaleX(LONG length) const {
    return std::abs(Scale(length, state.viewportExtent.cx, state.windowExtent.cx));
}

LONG WinDeviceContext::ScaleY(LONG length) const {
    return std::abs(Scale(length, state.viewportExtent.cy, state.windowExtent.cy));
}

RECT WinDeviceContext::ToDevice(const RECT& logical) const {
    const POINT a = ToDevice(POINT{logical.left, logical.top});
    const POINT b = ToDevice(POINT{logical.right, logical.bottom});
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

void WinDeviceContext::AdjustIsotropic() {
    if (state.mapMode != MM_ISOTROPIC || state.windowExtent.cx == 0 || state.windowExtent.cy == 0) return;
    // The axis with the larger scale gives way, keeping the viewport's sign.
    const double scaleX = std::abs(static_cast<double>(state.viewportExtent.cx) / state.windowExtent.cx);
    const double scaleY = std::abs(static_cast<double>(state.viewportExtent.cy) / state.windowExtent.cy);
    if (scaleX > scaleY) {
        const LONG x = Scale(std::abs(state.windowExtent.cx), std::abs(state.viewportExtent.cy),
                             std::abs(state.windowExtent.cy));
        state.viewportExtent.cx = state.viewportExtent.cx < 0 ? -x : x;
    } else if (scaleY > scaleX) {
        const LONG y = Scale(std::abs(state.windowExtent.cy), std::abs(state.viewportExtent.cx),
                             std::abs(state.windowExtent.cx));
        state.viewportExtent.cy = state.viewportExtent.cy < 0 ? -y : y;
    }
}
