#pragma once
// The drawing pieces the controls' pictures share, in the classic look:
// one-pixel bevels and the two-pixel raised, sunken and etched edges built
// from them, filled rectangles, arrow glyphs, text in the control's font,
// and the state an owner-drawn control reports to its owner.
#include <string>

#include "winapi/WinGdiDraw.h"
#include "winapi/WinWindow.h"

class WinControlPainterKit {
public:
    // Selects the control's font (or DEFAULT_GUI_FONT) and transparent text
    // for the time of a paint.
    class FontScope {
    public:
        FontScope(HWND control, HDC dc);
        ~FontScope();
        FontScope(const FontScope&) = delete;
        FontScope& operator=(const FontScope&) = delete;

    private:
        HDC dc_;
        HGDIOBJ previous_ = nullptr;
    };

    enum class Direction { Up, Down, Left, Right };

    static RECT Client(HWND control);
    static bool Enabled(HWND control);
    static RECT Inset(RECT rect, LONG by);
    static void Fill(HDC dc, RECT rect, COLORREF color);
    // A one-pixel frame: top and left lines in one colour, bottom and right
    // in the other.
    static void Bevel(HDC dc, RECT rect, COLORREF topLeft, COLORREF bottomRight);
    // Two-pixel edges: raised (push buttons, arrow buttons, thumbs), sunken
    // (edits, list boxes, check marks' boxes) and etched (group frames).
    static void Raised(HDC dc, RECT rect);
    static void Sunken(HDC dc, RECT rect);
    static void Etched(HDC dc, RECT rect);
    // A filled triangle centred in the rectangle, pointing the given way.
    static void Arrow(HDC dc, RECT rect, Direction direction, bool enabled);
    static void Text(HDC dc, const std::u16string& text, RECT rect, UINT format, bool enabled);
    // ODS_FOCUS and ODS_DISABLED as they apply to the control.
    static UINT OwnerState(HWND control);
};
