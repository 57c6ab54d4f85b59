// Statics in the classic look: texts, etched lines, rectangles and frames
// in their colours, pictures (bitmaps and icons) at their corner or
// centred, and owner-drawn statics through their parent.
#include "winapi/WinControls.h"
#include "winapi/WinIcon.h"
#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlPainterKit.h"
#include "winapi/internal/WinControlSupport.h"
#include "winapi/internal/WinStaticControl.h"

namespace {
using Kit = WinControlPainterKit;

// The colour of a rectangle or frame static, or -1 for other kinds.
int ShapeColor(DWORD type) {
    switch (type) {
    case SS_BLACKRECT:
    case SS_BLACKFRAME:
        return COLOR_WINDOWFRAME;
    case SS_GRAYRECT:
    case SS_GRAYFRAME:
        return COLOR_BACKGROUND;
    case SS_WHITERECT:
    case SS_WHITEFRAME:
        return COLOR_WINDOW;
    default:
        return -1;
    }
}

// Lines, rectangles and frames; false for the other kinds.
bool PaintShape(HDC dc, RECT r, DWORD type) {
    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW), light = GetSysColor(COLOR_3DHIGHLIGHT);
    switch (type) {
    case SS_ETCHEDHORZ:
        Kit::Fill(dc, {r.left, r.top, r.right, r.top + 1}, shadow);
        Kit::Fill(dc, {r.left, r.top + 1, r.right, r.top + 2}, light);
        return true;
    case SS_ETCHEDVERT:
        Kit::Fill(dc, {r.left, r.top, r.left + 1, r.bottom}, shadow);
        Kit::Fill(dc, {r.left + 1, r.top, r.left + 2, r.bottom}, light);
        return true;
    case SS_ETCHEDFRAME:
        Kit::Etched(dc, r);
        return true;
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
        Kit::Fill(dc, r, GetSysColor(ShapeColor(type)));
        return true;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: {
        const COLORREF color = GetSysColor(ShapeColor(type));
        Kit::Bevel(dc, r, color, color);
        return true;
    }
    default:
        return false;
    }
}

// The picture's corner: the control's, or centred with SS_CENTERIMAGE.
POINT PictureCorner(HWND control, RECT r, LONG width, LONG height) {
    if ((WinControlSupport::Style(control) & SS_CENTERIMAGE) == 0) return {r.left, r.top};
    return {r.left + (r.right - r.left - width) / 2, r.top + (r.bottom - r.top - height) / 2};
}

void PaintBitmap(HWND control, HDC dc, RECT r, HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return;
    const POINT corner = PictureCorner(control, r, info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(dc, corner.x, corner.y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void PaintIcon(HWND control, HDC dc, RECT r, HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return;
    BITMAP size{};
    GetObjectW(info.hbmColor, sizeof size, &size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    const POINT corner = PictureCorner(control, r, size.bmWidth, size.bmHeight);
    DrawIconEx(dc, corner.x, corner.y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

void PaintText(HWND control, HDC dc, RECT r, DWORD style) {
    Kit::FontScope font(control, dc);
    Kit::Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    if ((style & SS_SUNKEN) != 0)
        Kit::Bevel(dc, r, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
    const DWORD type = style & SS_TYPEMASK;
    const UINT align = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    Kit::Text(dc, WinControlSupport::Text(control), r,
              align | DT_WORDBREAK | ((style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0), Kit::Enabled(control));
}
} // namespace

void WinControlPainter::PaintStatic(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* state = WinControlSupport::Of<WinStaticControl>(window);
    if (state == nullptr) return;
    const DWORD style = WinControlSupport::Style(control);
    const DWORD type = style & SS_TYPEMASK;
    const RECT r = Kit::Client(control);
    if (PaintShape(dc, r, type)) return;
    if (type == SS_OWNERDRAW) {
        DrawItem(control, dc, ODT_STATIC, 0, ODA_DRAWENTIRE, Kit::OwnerState(control), r, 0);
    } else if (type == SS_BITMAP || type == SS_ICON) {
        Kit::Fill(dc, r, GetSysColor(COLOR_BTNFACE));
        if (type == SS_BITMAP)
            PaintBitmap(control, dc, r, state->bitmap);
        else
            PaintIcon(control, dc, r, state->icon);
    } else {
        PaintText(control, dc, r, style);
    }
}
