#include "winapi/internal/WinControlPainterKit.h"

#include <algorithm>

#include "winapi/WinControls.h"

WinControlPainterKit::FontScope::FontScope(HWND control, HDC dc) : dc_(dc) {
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    previous_ = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
}

WinControlPainterKit::FontScope::~FontScope() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
}

RECT WinControlPainterKit::Client(HWND control) {
    RECT rect{};
    GetClientRect(control, &rect);
    return rect;
}

bool WinControlPainterKit::Enabled(HWND control) {
    return IsWindowEnabled(control) != FALSE;
}

RECT WinControlPainterKit::Inset(RECT rect, LONG by) {
    return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

void WinControlPainterKit::Fill(HDC dc, RECT rect, COLORREF color) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void WinControlPainterKit::Bevel(HDC dc, RECT r, COLORREF topLeft, COLORREF bottomRight) {
    Fill(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    Fill(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void WinControlPainterKit::Raised(HDC dc, RECT r) {
    Bevel(dc, r, GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    Bevel(dc, Inset(r, 1), GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DSHADOW));
}

void WinControlPainterKit::Sunken(HDC dc, RECT r) {
    Bevel(dc, r, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
    Bevel(dc, Inset(r, 1), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
}

void WinControlPainterKit::Etched(HDC dc, RECT r) {
    Bevel(dc, r, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
    Bevel(dc, Inset(r, 1), GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DSHADOW));
}

// Rows one pixel apart, each two pixels wider than the one before, drawn
// from the tip; a third of the smaller side deep, 2 to 4 rows.
void WinControlPainterKit::Arrow(HDC dc, RECT r, Direction direction, bool enabled) {
    const LONG width = r.right - r.left, height = r.bottom - r.top;
    const LONG depth = std::clamp<LONG>(std::min(width, height) / 3 + 1, 2, 4);
    const LONG cx = r.left + (width - 1) / 2, cy = r.top + (height - 1) / 2;
    const COLORREF color = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    const bool vertical = direction == Direction::Up || direction == Direction::Down;
    const bool backward = direction == Direction::Up || direction == Direction::Left;
    for (LONG row = 0; row < depth; ++row) {
        // From the tip (row 0) to the base; the glyph is centred on its depth.
        const LONG along = (vertical ? cy : cx) - depth / 2 + (backward ? row : depth - 1 - row);
        if (vertical)
            Fill(dc, {cx - row, along, cx + row + 1, along + 1}, color);
        else
            Fill(dc, {along, cy - row, along + 1, cy + row + 1}, color);
    }
}

void WinControlPainterKit::Text(HDC dc, const std::u16string& text, RECT rect, UINT format, bool enabled) {
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

UINT WinControlPainterKit::OwnerState(HWND control) {
    UINT state = 0;
    if (GetFocus() == control) state |= ODS_FOCUS;
    if (!IsWindowEnabled(control)) state |= ODS_DISABLED;
    return state;
}
