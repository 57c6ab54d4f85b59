// Buttons in the classic look: push buttons raised (sunken while pushed,
// framed in black when default), check boxes as a sunken square with a
// tick, radio buttons as a sunken circle with a dot, group boxes as an
// etched frame with the title in a gap of its top line.
#include <string>

#include "winapi/internal/WinButtonControl.h"
#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlPainterKit.h"
#include "winapi/internal/WinControlSupport.h"

namespace {
using Kit = WinControlPainterKit;

// The side of a check box's square and of a radio button's circle.
constexpr LONG kMarkSize = 13;

void PaintPushButton(HWND control, HDC dc, const WinButtonControl& button, bool isDefault) {
    RECT r = Kit::Client(control);
    Kit::Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    if (isDefault) {
        Kit::Bevel(dc, r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW));
        r = Kit::Inset(r, 1);
    }
    RECT caption = r;
    if (button.pushed) {
        Kit::Bevel(dc, r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DDKSHADOW));
        Kit::Bevel(dc, Kit::Inset(r, 1), GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DSHADOW));
        caption = {r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    } else {
        Kit::Raised(dc, r);
    }
    Kit::Text(dc, WinControlSupport::Text(control), caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
              Kit::Enabled(control));
}

// The classic tick: seven columns three pixels tall, down three steps and
// up four.
void DrawTick(HDC dc, RECT box, COLORREF color) {
    for (LONG column = 0; column < 7; ++column) {
        const LONG top = box.top + (column <= 2 ? 5 + column : 9 - column);
        Kit::Fill(dc, {box.left + 3 + column, top, box.left + 4 + column, top + 3}, color);
    }
}

void DrawCheckBoxMark(HDC dc, RECT box, UINT check, bool enabled) {
    const bool grey = check == BST_INDETERMINATE || !enabled;
    Kit::Fill(dc, Kit::Inset(box, 2), GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    Kit::Sunken(dc, box);
    if (check != BST_UNCHECKED) DrawTick(dc, box, GetSysColor(grey ? COLOR_3DSHADOW : COLOR_WINDOWTEXT));
}

// A circle of the mark's size around its centre pixel, lit from the top
// left: an outer ring of shadow and highlight, an inner ring of dark shadow
// and light, the inside, and a dot of radius 2 when checked. Pixels outside
// the circle are left as they were.
void DrawRadioMark(HDC dc, RECT box, UINT check, bool enabled) {
    const LONG centre = kMarkSize / 2;
    for (LONG y = 0; y < kMarkSize; ++y) {
        for (LONG x = 0; x < kMarkSize; ++x) {
            const LONG dx = x - centre, dy = y - centre, distance = dx * dx + dy * dy;
            const bool upperLeft = x + y < 2 * centre;
            int color = -1;
            if (distance <= 4 && check == BST_CHECKED)
                color = enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT;
            else if (distance <= 16)
                color = enabled ? COLOR_WINDOW : COLOR_BTNFACE;
            else if (distance <= 25)
                color = upperLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT;
            else if (distance <= 42)
                color = upperLeft ? COLOR_3DSHADOW : COLOR_3DHIGHLIGHT;
            if (color >= 0) SetPixel(dc, box.left + x, box.top + y, GetSysColor(color));
        }
    }
}

// Check boxes and radio buttons: the mark at the left (at the right with
// BS_LEFTTEXT), centred on the height, the text beside it.
void PaintMarkedButton(HWND control, HDC dc, const WinButtonControl& button, bool radio) {
    const RECT r = Kit::Client(control);
    const bool enabled = Kit::Enabled(control);
    const bool markRight = (WinControlSupport::Style(control) & BS_LEFTTEXT) != 0;
    const LONG top = (r.bottom - kMarkSize) / 2;
    const LONG left = markRight ? r.right - kMarkSize : r.left;
    const RECT box{left, top, left + kMarkSize, top + kMarkSize};
    Kit::Fill(dc, r, GetSysColor(COLOR_BTNFACE));
    if (radio)
        DrawRadioMark(dc, box, button.check, enabled);
    else
        DrawCheckBoxMark(dc, box, button.check, enabled);
    const RECT text = markRight ? RECT{r.left, r.top, box.left - 4, r.bottom}
                                : RECT{box.right + 4, r.top, r.right, r.bottom};
    Kit::Text(dc, WinControlSupport::Text(control), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, enabled);
}

// The frame's top line runs through the middle of the title's line and is
// broken for the title, 8 pixels in; what lies beneath shows through the
// gap and the inside.
void PaintGroupBox(HWND control, HDC dc) {
    const RECT r = Kit::Client(control);
    const std::u16string text = WinControlSupport::Text(control);
    SIZE extent{};
    GetTextExtentPoint32W(dc, u"Mg", 2, &extent);
    const RECT frame{r.left, r.top + extent.cy / 2, r.right, r.bottom};
    RECT caption{r.left + 8, r.top, r.right - 8, r.top + extent.cy};
    if (!text.empty())
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_CALCRECT | DT_SINGLELINE);
    else
        caption.right = caption.left;
    const LONG gapLeft = text.empty() ? caption.left : caption.left - 2;
    const LONG gapRight = text.empty() ? caption.left : caption.right + 2;
    const RECT parts[] = {{r.left, r.top, gapLeft, r.bottom},
                          {gapRight, r.top, r.right, r.bottom},
                          {gapLeft, frame.top + 2, gapRight, r.bottom}};
    for (const RECT& part : parts) {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
        Kit::Etched(dc, frame);
        RestoreDC(dc, saved);
    }
    if (!text.empty()) Kit::Text(dc, text, caption, DT_LEFT | DT_SINGLELINE, Kit::Enabled(control));
}
} // namespace

void WinControlPainter::PaintButton(HWND control, HDC dc) {
    auto window = WinControlSupport::Window(control);
    auto* button = WinControlSupport::Of<WinButtonControl>(window);
    if (button == nullptr) return;
    const DWORD type = WinControlSupport::Style(control) & BS_TYPEMASK;
    if (type == BS_OWNERDRAW) {
        DrawItem(control, dc, ODT_BUTTON, 0, ODA_DRAWENTIRE,
                 Kit::OwnerState(control) | (button->pushed ? ODS_SELECTED : 0), Kit::Client(control), 0);
        return;
    }
    Kit::FontScope font(control, dc);
    switch (type) {
    case BS_GROUPBOX:
        return PaintGroupBox(control, dc);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return PaintMarkedButton(control, dc, *button, false);
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return PaintMarkedButton(control, dc, *button, true);
    default:
        return PaintPushButton(control, dc, *button, type == BS_DEFPUSHBUTTON);
    }
}
