// Painting of the tab strip: the face, the body's border, the tabs (the
// current one last, over its neighbours' edges), the titles and the focus.
#include <initializer_list>

#include "ui/framework/GGdiHandles.h"
#include "ui/framework/GTabStrip.h"
#include "winapi/WinGdiDraw.h"

namespace {
// The three pens of the strip's edges, made for one painting.
struct TabStripPens {
    GScopedGdiObject highlight{CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT))};
    GScopedGdiObject shadow{CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW))};
    HGDIOBJ black = GetStockObject(BLACK_PEN);
};

void TabStripLine(HDC dc, HGDIOBJ pen, std::initializer_list<POINT> points) {
    SelectObject(dc, pen);
    const POINT* point = points.begin();
    MoveToEx(dc, point->x, point->y, nullptr);
    for (++point; point != points.end(); ++point)
        LineTo(dc, point->x, point->y);
}

// The body below the tabs: highlight on the left and top, shadow inside and
// black outside on the right and bottom.
void PaintTabStripBody(HDC dc, const TabStripPens& pens, const RECT& body) {
    const LONG l = body.left, t = body.top, r = body.right, b = body.bottom;
    TabStripLine(dc, pens.highlight.Get(), {{l, b - 1}, {l, t}, {r - 1, t}});
    TabStripLine(dc, pens.shadow.Get(), {{l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t}});
    TabStripLine(dc, pens.black, {{l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1}});
}

// One tab's edges: highlight on the left and top with a cut corner, shadow
// and black on the right; a tab that is not the current one is closed at
// the bottom.
void PaintTabEdges(HDC dc, const TabStripPens& pens, const RECT& tab, bool current) {
    const LONG l = tab.left, t = tab.top, r = tab.right, b = tab.bottom;
    TabStripLine(dc, pens.highlight.Get(), {{l, b - 1}, {l, t + 2}, {l + 2, t}, {r - 2, t}});
    TabStripLine(dc, pens.shadow.Get(), {{r - 2, t + 1}, {r - 2, b - 1}});
    TabStripLine(dc, pens.black, {{r - 1, t + 2}, {r - 1, b - 1}});
    if (!current) TabStripLine(dc, pens.highlight.Get(), {{l, b - 1}, {r, b - 1}});
}

RECT OffsetTab(RECT tab, POINT origin) {
    OffsetRect(&tab, origin.x, origin.y);
    return tab;
}

// The title centred, 3 pixels below the tab's top, shortened from the end
// until it fits between the tab's edges.
void PaintTabTitle(HDC dc, const RECT& tab, const RWWString& title) {
    const LONG room = tab.right - tab.left - 4;
    size_t length = title.Length();
    SIZE extent{};
    for (;; --length) {
        GetTextExtentPoint32W(dc, title.Data(), static_cast<int>(length), &extent);
        if (extent.cx <= room || length == 0) break;
    }
    ExtTextOutW(dc, tab.left + (tab.right - tab.left - extent.cx) / 2, tab.top + 3, 0, nullptr, title.Data(),
                static_cast<UINT>(length), nullptr);
}

// The current tab first clears its inside, the body's top edge under it
// included, so that it opens into the body over its neighbours' edges.
void PaintTab(HDC dc, const TabStripPens& pens, const GTabStrip& strip, uint16_t index, POINT origin) {
    const bool current = index == strip.GetCurrent();
    const RECT tab = OffsetTab(strip.GetTabRect(index), origin);
    if (current) {
        const RECT inside{tab.left + 1, tab.top + 1, tab.right - 2, tab.bottom};
        FillRect(dc, &inside, GetSysColorBrush(COLOR_3DFACE));
    }
    PaintTabEdges(dc, pens, tab, current);
    RWWString title;
    strip.GetTitle(index, title);
    PaintTabTitle(dc, tab, title);
}
} // namespace

void GTabStrip::DrawItem(const DRAWITEMSTRUCT& item, bool focused) const {
    HDC dc = item.hDC;
    const int saved = SaveDC(dc);
    const RECT& area = item.rcItem;
    const POINT origin{area.left, area.top};
    FillRect(dc, &area, GetSysColorBrush(COLOR_3DFACE));
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    {
        const TabStripPens pens;
        PaintTabStripBody(dc, pens, RECT{area.left, area.top + height_ - 1, area.right, area.bottom});
        for (uint16_t index = 0; index < count_; ++index)
            if (index != current_) PaintTab(dc, pens, *this, index, origin);
        if (current_ < count_) PaintTab(dc, pens, *this, current_, origin);
        SelectObject(dc, GetStockObject(BLACK_PEN));
    }
    if (focused && current_ < count_) {
        const RECT tab = OffsetTab(GetTabRect(current_), origin);
        const RECT focus{tab.left + 3, tab.top + 3, tab.right - 3, tab.bottom - 2};
        DrawFocusRect(dc, &focus);
    }
    RestoreDC(dc, saved);
}
