// Bars in the classic look: up-downs as two raised arrow buttons, scroll
// bars with raised arrow buttons at their ends and a raised thumb, track
// bars with a sunken channel, a thumb pointing at the ticks, and the ticks.
#include <algorithm>
#include <vector>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlPainterKit.h"
#include "winapi/internal/WinControlSupport.h"
#include "winapi/internal/WinScrollBarControl.h"
#include "winapi/internal/WinTrackBarControl.h"

namespace {
using Kit = WinControlPainterKit;
using Direction = WinControlPainterKit::Direction;

void DrawArrowButton(HDC dc, RECT r, Direction direction, bool enabled) {
    Kit::Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    Kit::Raised(dc, r);
    Kit::Arrow(dc, Kit::Inset(r, 2), direction, enabled);
}

// A scroll bar's track: the scroll-bar colour, every other pixel lit in a
// checkerboard.
void DrawScrollTrack(HDC dc, RECT r) {
    Kit::Fill(dc, r, GetSysColor(COLOR_SCROLLBAR));
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left + (y - r.top) % 2; x < r.right; x += 2)
            SetPixel(dc, x, y, light);
}

// A track bar is laid out along its length and across its thickness; a
// vertical one is a horizontal one turned, its ticks to the right.
struct TrackAxis {
    bool vertical;
    RECT Box(LONG along0, LONG across0, LONG along1, LONG across1) const {
        return vertical ? RECT{across0, along0, across1, along1} : RECT{along0, across0, along1, across1};
    }
};

// Where the thumb's centre and the ticks stand: 8 pixels in from each end.
constexpr LONG kTrackMargin = 8;
constexpr LONG kThumbHalfWidth = 5;

LONG TrackOffset(const WinTrackBarControl& bar, LONG length, int value) {
    const long long span = std::max(1, bar.maximum - bar.minimum);
    const long long travel = std::max<LONG>(0, length - 2 * kTrackMargin);
    return kTrackMargin + static_cast<LONG>(travel * (value - bar.minimum) / span);
}

// The first and last position, and with TBS_AUTOTICKS every
// tickFrequency-th one between.
std::vector<int> TickValues(const WinTrackBarControl& bar, DWORD style) {
    if ((style & TBS_NOTICKS) != 0) return {};
    std::vector<int> values{bar.minimum};
    if ((style & TBS_AUTOTICKS) != 0)
        for (long long v = static_cast<long long>(bar.minimum) + bar.tickFrequency; v < bar.maximum;
             v += bar.tickFrequency)
            values.push_back(static_cast<int>(v));
    if (bar.maximum > bar.minimum) values.push_back(bar.maximum);
    return values;
}

// The thumb: a body as wide as two half-widths and a pixel, then a point
// narrowing a pixel on each side per row toward the ticks; lit from the
// top left (highlight), dark shadow and shadow on the far side.
void DrawThumb(HDC dc, const TrackAxis& axis, LONG at, LONG top, LONG depth, bool enabled) {
    const LONG body = depth - kThumbHalfWidth;
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_3DHIGHLIGHT),
                   shadow = GetSysColor(COLOR_3DSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW);
    for (LONG row = 0; row < depth; ++row) {
        const LONG narrowing = std::max<LONG>(0, row - body + 1);
        const LONG low = at - kThumbHalfWidth + narrowing, high = at + kThumbHalfWidth - narrowing;
        const LONG across = top + row;
        const bool edgeRow = row == 0;
        Kit::Fill(dc, axis.Box(low, across, high + 1, across + 1), edgeRow ? light : face);
        Kit::Fill(dc, axis.Box(low, across, low + 1, across + 1), light);
        if (high - 1 > low && !edgeRow) Kit::Fill(dc, axis.Box(high - 1, across, high, across + 1), shadow);
        Kit::Fill(dc, axis.Box(high, across, high + 1, across + 1), dark);
    }
    if (!enabled) Kit::Fill(dc, axis.Box(at - 1, top + 2, at + 2, top + body - 1), shadow);
}
} // namespace

void WinControlPainter::PaintUpDown(HWND control, HDC dc) {
    const RECT r = Kit::Client(control);
    const bool horizontal = (WinControlSupport::Style(control) & UDS_HORZ) != 0;
    const bool enabled = Kit::Enabled(control);
    const RECT first = horizontal ? RECT{r.left, r.top, (r.left + r.right) / 2, r.bottom}
                                  : RECT{r.left, r.top, r.right, (r.top + r.bottom) / 2};
    const RECT second = horizontal ? RECT{first.right, r.top, r.right, r.bottom}
                                   : RECT{r.left, first.bottom, r.right, r.bottom};
    DrawArrowButton(dc, first, horizontal ? Direction::Left : Direction::Up, enabled);
    DrawArrowButton(dc, second, horizontal ? Direction::Right : Direction::Down, enabled);
}

void WinControlPainter::PaintScrollBar(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* bar = WinControlSupport::Of<WinScrollBarControl>(window);
    if (bar == nullptr) return;
    const RECT r = Kit::Client(control);
    const bool vertical = (WinControlSupport::Style(control) & SBS_VERT) != 0;
    const bool enabled = Kit::Enabled(control);
    DrawScrollTrack(dc, r);
    const LONG length = vertical ? r.bottom : r.right, thickness = vertical ? r.right : r.bottom;
    const LONG track = std::max<LONG>(1, length - 2 * thickness);
    const long long range = std::max<long long>(1, static_cast<long long>(bar->maximum) - bar->minimum + 1);
    const LONG thumb = std::max<LONG>(
        thickness / 2, bar->page > 0 ? static_cast<LONG>(track * bar->page / range) : thickness);
    const LONG offset =
        thickness + static_cast<LONG>((track - thumb) * (bar->position - bar->minimum) /
                                      std::max<long long>(1, range - std::max<UINT>(bar->page, 1)));
    DrawArrowButton(dc, vertical ? RECT{0, 0, r.right, thickness} : RECT{0, 0, thickness, r.bottom},
                    vertical ? Direction::Up : Direction::Left, enabled);
    DrawArrowButton(dc,
                    vertical ? RECT{0, r.bottom - thickness, r.right, r.bottom}
                             : RECT{r.right - thickness, 0, r.right, r.bottom},
                    vertical ? Direction::Down : Direction::Right, enabled);
    const RECT knob =
        vertical ? RECT{0, offset, r.right, offset + thumb} : RECT{offset, 0, offset + thumb, r.bottom};
    Kit::Fill(dc, knob, GetSysColor(COLOR_BTNFACE));
    Kit::Raised(dc, knob);
}

// The thumb stands 2 pixels in from the top (left), as deep as leaves room
// for the ticks below it (3 pixels, 2 pixels apart), at most 21 pixels;
// the 4-pixel sunken channel runs through the middle of its body.
void WinControlPainter::PaintTrackBar(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* bar = WinControlSupport::Of<WinTrackBarControl>(window);
    if (bar == nullptr) return;
    const RECT r = Kit::Client(control);
    const DWORD style = WinControlSupport::Style(control);
    const TrackAxis axis{(style & TBS_VERT) != 0};
    const LONG length = axis.vertical ? r.bottom : r.right, thickness = axis.vertical ? r.right : r.bottom;
    Kit::Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    const LONG top = 2, depth = std::clamp<LONG>(thickness - 7, kThumbHalfWidth + 2, 21);
    const LONG channel = top + (depth - kThumbHalfWidth) / 2;
    Kit::Sunken(dc, axis.Box(4, channel - 2, length - 4, channel + 2));
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    for (int value : TickValues(*bar, style)) {
        const LONG at = TrackOffset(*bar, length, value);
        Kit::Fill(dc, axis.Box(at, top + depth + 2, at + 1, top + depth + 5), ink);
    }
    DrawThumb(dc, axis, TrackOffset(*bar, length, bar->position), top, depth, Kit::Enabled(control));
}
