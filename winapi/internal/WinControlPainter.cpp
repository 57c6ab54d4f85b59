#include "winapi/internal/WinControlPainter.h"

#include <algorithm>
#include <string>

#include "winapi/internal/WinComboBoxControl.h"
#include "winapi/internal/WinControlSupport.h"
#include "winapi/internal/WinEditControl.h"
#include "winapi/internal/WinListBoxControl.h"
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

UINT OwnerState(HWND control) {
    UINT state = 0;
    if (GetFocus() == control) state |= ODS_FOCUS;
    if (!IsWindowEnabled(control)) state |= ODS_DISABLED;
    return state;
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

void WinControlPainter::PaintEdit(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* edit = WinControlSupport::Of<WinEditControl>(window);
    if (edit == nullptr) return;
    const RECT r = Client(control);
    const bool enabled = IsWindowEnabled(control) != FALSE;
    const COLORREF background = !enabled                 ? GetSysColor(COLOR_BTNFACE)
                                : edit->systemBackground ? GetSysColor(COLOR_WINDOW)
                                                         : edit->background;
    FontScope font(control, dc);
    Fill(dc, r, background);
    Edge(dc, r, false);
    std::u16string text = WinControlSupport::Text(control);
    if ((WinControlSupport::Style(control) & ES_PASSWORD) != 0) text.assign(text.size(), u'*');
    Text(dc, text, {r.left + 3, r.top, r.right - 2, r.bottom},
         DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, enabled);
}

void WinControlPainter::PaintComboBox(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* combo = WinControlSupport::Of<WinComboBoxControl>(window);
    if (combo == nullptr) return;
    const DWORD style = WinControlSupport::Style(control);
    const RECT r = Client(control);
    const LONG height = std::min<LONG>(r.bottom, static_cast<LONG>(combo->itemHeight) + 6);
    const bool enabled = IsWindowEnabled(control) != FALSE;
    FontScope font(control, dc);
    Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    const RECT field{r.left, r.top, r.right, r.top + height};
    Fill(dc, field, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    Edge(dc, field, false);
    const RECT button{field.right - height + 2, field.top + 2, field.right - 2, field.bottom - 2};
    Fill(dc, button, GetSysColor(COLOR_BTNFACE));
    Edge(dc, button, true);
    Arrow(dc, button, false);
    const RECT textArea{field.left + 3, field.top + 2, button.left - 1, field.bottom - 2};
    if ((style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0) {
        const LONG_PTR selection = combo->selection;
        const ULONG_PTR data =
            combo->items.Valid(selection) ? combo->items.At(static_cast<size_t>(selection)).data : 0;
        DrawItem(control, dc, ODT_COMBOBOX, static_cast<UINT>(selection), ODA_DRAWENTIRE,
                 OwnerState(control) | ODS_COMBOBOXEDIT, textArea, data);
        return;
    }
    std::u16string text = (style & CBS_TYPEMASK) != CBS_DROPDOWNLIST ? WinControlSupport::Text(control)
                          : combo->items.Valid(combo->selection)
                              ? combo->items.At(static_cast<size_t>(combo->selection)).text
                              : std::u16string();
    Text(dc, text, textArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, enabled);
}

void WinControlPainter::PaintListBox(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* list = WinControlSupport::Of<WinListBoxControl>(window);
    if (list == nullptr) return;
    const RECT r = Client(control);
    const bool enabled = IsWindowEnabled(control) != FALSE;
    FontScope font(control, dc);
    Fill(dc, r, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    Edge(dc, r, false);
    SIZE extent{};
    GetTextExtentPoint32W(dc, u"Mg", 2, &extent);
    const LONG lineHeight = extent.cy + 2;
    const bool ownerDrawn = (WinControlSupport::Style(control) & LBS_OWNERDRAWFIXED) != 0;
    LONG y = r.top + 2;
    for (size_t i = static_cast<size_t>(std::max<LONG_PTR>(list->top, 0)); i < list->items.Count(); ++i) {
        if (y >= r.bottom - 2) break;
        const RECT line{r.left + 2, y, r.right - 2, y + lineHeight};
        const bool selected = static_cast<LONG_PTR>(i) == list->selection;
        if (ownerDrawn) {
            DrawItem(control, dc, ODT_LISTBOX, static_cast<UINT>(i), ODA_DRAWENTIRE,
                     OwnerState(control) | (selected ? ODS_SELECTED : 0), line, list->items.At(i).data);
        } else {
            if (selected) Fill(dc, line, GetSysColor(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(selected  ? COLOR_HIGHLIGHTTEXT
                                         : enabled ? COLOR_WINDOWTEXT
                                                   : COLOR_GRAYTEXT));
            RECT textArea{line.left + 2, line.top, line.right, line.bottom};
            const std::u16string& text = list->items.At(i).text;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        y += lineHeight;
    }
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
