#include "winapi/internal/WinControlPainter.h"

#include <algorithm>
#include <string>

#include "winapi/internal/WinControlSupport.h"
#include "winapi/internal/WinScrollBarControl.h"
#include "winapi/internal/WinTrackBarControl.h"
#include "winapi/internal/WinUpDownControl.h"

namespace {
// Selects the control's font (or DEFAULT_GUI_FONT) for the time of a paint.
class FontScope {
public:
    FontScope(HWND control, HDC dc) : dc_(dc) {
        auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
        previous_ = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
    }
    ~FontScope() {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
    }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

RECT Client(HWND control) {
    RECT rect{};
    GetClientRect(control, &rect);
    return rect;
}

void Fill(HDC dc, RECT rect, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

// A raised (or sunken) edge one pixel wide.
void Edge(HDC dc, RECT r, bool raised) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    Line(dc, r.left, r.bottom - 1, r.left, r.top, raised ? light : dark);
    Line(dc, r.left, r.top, r.right - 1, r.top, raised ? light : dark);
    Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, raised ? dark : light);
    Line(dc, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1, raised ? dark : light);
}

void Text(HDC dc, const std::u16string& text, RECT rect, UINT format, bool enabled) {
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void Arrow(HDC dc, RECT r, bool up) {
    const LONG cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const LONG size = std::max<LONG>(2, std::min(r.right - r.left, r.bottom - r.top) / 4);
    const POINT points[] = {{cx - size, up ? cy + size / 2 : cy - size / 2},
                            {cx + size + 1, up ? cy + size / 2 : cy - size / 2},
                            {cx, up ? cy - size / 2 - 1 : cy + size / 2 + 1}};
    HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Polygon(dc, points, 3);
    SelectObject(dc, pen);
    SelectObject(dc, brush);
}

} // namespace

LRESULT WinControlPainter::DrawItem(HWND control, HDC dc, UINT type, UINT item, UINT action, UINT state,
                                    RECT rect, ULONG_PTR data) {
    const HWND parent = WinControlSupport::Parent(control);
    if (parent == nullptr) return 0;
    DRAWITEMSTRUCT draw{type, WinControlSupport::Id(control), item, action, state, control, dc, rect, data};
    return SendMessageW(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}

void WinControlPainter::PaintStatic(HWND control, HDC dc) {
    const DWORD style = WinControlSupport::Style(control);
    const RECT r = Client(control);
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_ETCHEDHORZ) {
        Line(dc, r.left, r.top, r.right, r.top, GetSysColor(COLOR_BTNSHADOW));
        Line(dc, r.left, r.top + 1, r.right, r.top + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    if (type == SS_BLACKRECT) {
        Fill(dc, r, 0);
        return;
    }
    FontScope font(control, dc);
    Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    if ((style & SS_SUNKEN) != 0) Edge(dc, r, false);
    const UINT align = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    Text(dc, WinControlSupport::Text(control), r,
         align | DT_WORDBREAK | ((style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0),
         IsWindowEnabled(control) != FALSE);
}

void WinControlPainter::PaintUpDown(HWND control, HDC dc) {
    const RECT r = Client(control);
    const bool horizontal = (WinControlSupport::Style(control) & UDS_HORZ) != 0;
    const RECT first = horizontal ? RECT{r.left, r.top, (r.left + r.right) / 2, r.bottom}
                                  : RECT{r.left, r.top, r.right, (r.top + r.bottom) / 2};
    const RECT second = horizontal ? RECT{first.right, r.top, r.right, r.bottom}
                                   : RECT{r.left, first.bottom, r.right, r.bottom};
    for (const RECT& part : {first, second}) {
        Fill(dc, part, GetSysColor(COLOR_BTNFACE));
        Edge(dc, part, true);
    }
    Arrow(dc, first, true);
    Arrow(dc, second, false);
}

void WinControlPainter::PaintScrollBar(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* bar = WinControlSupport::Of<WinScrollBarControl>(window);
    if (bar == nullptr) return;
    const RECT r = Client(control);
    const bool vertical = (WinControlSupport::Style(control) & SBS_VERT) != 0;
    Fill(dc, r, GetSysColor(COLOR_SCROLLBAR));
    const LONG length = vertical ? r.bottom : r.right, thickness = vertical ? r.right : r.bottom;
    const LONG track = std::max<LONG>(1, length - 2 * thickness);
    const long long range = std::max<long long>(1, static_cast<long long>(bar->maximum) - bar->minimum + 1);
    const LONG thumb = std::max<LONG>(
        thickness / 2, bar->page > 0 ? static_cast<LONG>(track * bar->page / range) : thickness);
    const LONG offset =
        thickness + static_cast<LONG>((track - thumb) * (bar->position - bar->minimum) /
                                      std::max<long long>(1, range - std::max<UINT>(bar->page, 1)));
    const RECT arrows[] = {vertical ? RECT{0, 0, r.right, thickness} : RECT{0, 0, thickness, r.bottom},
                           vertical ? RECT{0, r.bottom - thickness, r.right, r.bottom}
                                    : RECT{r.right - thickness, 0, r.right, r.bottom}};
    for (const RECT& arrow : arrows) {
        Fill(dc, arrow, GetSysColor(COLOR_BTNFACE));
        Edge(dc, arrow, true);
    }
    const RECT knob =
        vertical ? RECT{0, offset, r.right, offset + thumb} : RECT{offset, 0, offset + thumb, r.bottom};
    Fill(dc, knob, GetSysColor(COLOR_BTNFACE));
    Edge(dc, knob, true);
}

void WinControlPainter::PaintTrackBar(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* bar = WinControlSupport::Of<WinTrackBarControl>(window);
    if (bar == nullptr) return;
    const RECT r = Client(control);
    const bool vertical = (WinControlSupport::Style(control) & TBS_VERT) != 0;
    Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    const LONG length = (vertical ? r.bottom : r.right) - 16;
    const long long span = std::max(1, bar->maximum - bar->minimum);
    const LONG at =
        8 + static_cast<LONG>(length * static_cast<long long>(bar->position - bar->minimum) / span);
    const LONG middle = (vertical ? r.right : r.bottom) / 2;
    const RECT channel = vertical ? RECT{middle - 2, 8, middle + 2, r.bottom - 8}
                                  : RECT{8, middle - 2, r.right - 8, middle + 2};
    Edge(dc, channel, false);
    const RECT thumb = vertical ? RECT{middle - 8, at - 4, middle + 8, at + 4}
                                : RECT{at - 4, middle - 8, at + 4, middle + 8};
    Fill(dc, thumb, GetSysColor(COLOR_BTNFACE));
    Edge(dc, thumb, true);
}
