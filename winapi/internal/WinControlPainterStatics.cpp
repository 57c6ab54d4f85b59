// Statics: texts, lines and rectangles.
#include "winapi/WinControls.h"
#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlPainterKit.h"
#include "winapi/internal/WinControlSupport.h"

namespace {
using Kit = WinControlPainterKit;
} // namespace

void WinControlPainter::PaintStatic(HWND control, HDC dc) {
    const DWORD style = WinControlSupport::Style(control);
    const RECT r = Kit::Client(control);
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_ETCHEDHORZ) {
        Kit::Fill(dc, {r.left, r.top, r.right, r.top + 1}, GetSysColor(COLOR_3DSHADOW));
        Kit::Fill(dc, {r.left, r.top + 1, r.right, r.top + 2}, GetSysColor(COLOR_3DHIGHLIGHT));
        return;
    }
    if (type == SS_BLACKRECT) {
        Kit::Fill(dc, r, GetSysColor(COLOR_WINDOWFRAME));
        return;
    }
    Kit::FontScope font(control, dc);
    Kit::Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    if ((style & SS_SUNKEN) != 0)
        Kit::Bevel(dc, r, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
    const UINT align = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    Kit::Text(dc, WinControlSupport::Text(control), r,
              align | DT_WORDBREAK | ((style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0), Kit::Enabled(control));
}
