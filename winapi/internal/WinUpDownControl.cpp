#include "winapi/internal/WinUpDownControl.h"

#include <algorithm>
#include <string>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlProcedure.h"
#include "winapi/internal/WinTextRules.h"

namespace {
int Clamp(const WinUpDownControl& state, int value) {
    return std::clamp(value, std::min(state.minimum, state.maximum), std::max(state.minimum, state.maximum));
}

std::u16string Format(int value, bool thousands) {
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    if (thousands)
        for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
            digits.insert(static_cast<size_t>(at), 1, ',');
    return WinText::FromUtf8((value < 0 ? "-" : "") + digits);
}

// A whole number, optionally signed, with thousands separators allowed.
bool Parse(const std::u16string& text, int& value) {
    long long number = 0;
    bool negative = false, digits = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (i == 0 && c == u'-') {
            negative = true;
        } else if (c >= u'0' && c <= u'9') {
            number = number * 10 + (c - u'0');
            if (number > 0x7FFFFFFF) return false;
            digits = true;
        } else if (c != u',') {
            return false;
        }
    }
    if (!digits) return false;
    value = static_cast<int>(negative ? -number : number);
    return true;
}

using Call = WinControlCall<WinUpDownControl>;

// With UDS_SETBUDDYINT: takes the position from the buddy's text; false
// when that is not a number.
bool ReadBuddy(HWND window, WinUpDownControl& state) {
    if ((WinControlSupport::Style(window) & UDS_SETBUDDYINT) == 0 || !IsWindow(state.buddy)) return true;
    WCHAR text[64] = {};
    GetWindowTextW(state.buddy, text, 64);
    int value = 0;
    if (!Parse(std::u16string(WinText::View(text)), value)) return false;
    state.position = Clamp(state, value);
    return true;
}

void WriteBuddy(HWND window, const WinUpDownControl& state) {
    const DWORD style = WinControlSupport::Style(window);
    if ((style & UDS_SETBUDDYINT) == 0 || !IsWindow(state.buddy)) return;
    const std::u16string text = Format(state.position, (style & UDS_NOTHOUSANDS) == 0);
    SetWindowTextW(state.buddy, text.c_str());
}

void Spin(HWND window, WinUpDownControl& state, int direction) {
    ReadBuddy(window, state);
    const HWND parent = WinControlSupport::Parent(window);
    const UINT id = WinControlSupport::Id(window);
    NMUPDOWN change{
        {window, id, UDN_DELTAPOS}, state.position, direction * (state.maximum >= state.minimum ? 1 : -1)};
    if (parent != nullptr && SendMessageW(parent, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&change)) != 0)
        return;
    const int low = std::min(state.minimum, state.maximum), high = std::max(state.minimum, state.maximum);
    long long next = static_cast<long long>(state.position) + change.iDelta;
    if (next < low || next > high) {
        if ((WinControlSupport::Style(window) & UDS_WRAP) != 0)
            next = next > high ? low : high;
        else
            next = std::clamp<long long>(next, low, high);
    }
    if (next == state.position) return;
    state.position = static_cast<int>(next);
    WriteBuddy(window, state);
    if (parent == nullptr) return;
    const UINT scroll = (WinControlSupport::Style(window) & UDS_HORZ) != 0 ? WM_HSCROLL : WM_VSCROLL;
    SendMessageW(parent, scroll, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(state.position)),
                 reinterpret_cast<LPARAM>(window));
    SendMessageW(parent, scroll, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(window));
}

// With UDS_ALIGNRIGHT (UDS_ALIGNLEFT) the up-down moves into its buddy's
// rectangle at the right (left) edge, as tall as the buddy, and the buddy
// narrows by the up-down's width.
void AlignWithBuddy(HWND window, HWND buddy) {
    const DWORD align = WinControlSupport::Style(window) & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT);
    if (align == 0 || !IsWindow(buddy)) return;
    RECT box{}, own{};
    GetWindowRect(buddy, &box);
    MapWindowPoints(nullptr, WinControlSupport::Parent(window), reinterpret_cast<LPPOINT>(&box), 2);
    GetClientRect(window, &own);
    const LONG width = std::min(own.right, box.right - box.left), height = box.bottom - box.top;
    const bool right = (align & UDS_ALIGNRIGHT) != 0;
    const UINT flags = SWP_NOZORDER | SWP_NOREDRAW;
    SetWindowPos(buddy, nullptr, right ? box.left : box.left + width, box.top, box.right - box.left - width,
                 height, flags);
    SetWindowPos(window, nullptr, right ? box.right - width : box.left, box.top, width, height, flags);
}

LRESULT Create(const Call& call) {
    if ((WinControlSupport::Style(call.window) & UDS_AUTOBUDDY) != 0)
        call.state.buddy = GetWindow(call.window, GW_HWNDPREV);
    AlignWithBuddy(call.window, call.state.buddy);
    return 0;
}

// UDM_SETRANGE packs the maximum in the low word, the minimum in the high.
LRESULT SetRange(const Call& call) {
    call.state.maximum = static_cast<SHORT>(LOWORD(static_cast<DWORD>(call.lParam)));
    call.state.minimum = static_cast<SHORT>(HIWORD(static_cast<DWORD>(call.lParam)));
    return 0;
}

LRESULT GetRange(const Call& call) {
    return MAKELRESULT(static_cast<WORD>(call.state.maximum), static_cast<WORD>(call.state.minimum));
}

LRESULT SetRange32(const Call& call) {
    call.state.minimum = static_cast<int>(call.wParam);
    call.state.maximum = static_cast<int>(call.lParam);
    return 0;
}

LRESULT GetRange32(const Call& call) {
    if (call.wParam != 0) *reinterpret_cast<int*>(call.wParam) = call.state.minimum;
    if (call.lParam != 0) *reinterpret_cast<int*>(call.lParam) = call.state.maximum;
    return 0;
}

// UDM_SETPOS and UDM_SETPOS32 answer the position before.
LRESULT SetPosition(const Call& call) {
    WinUpDownControl& state = call.state;
    const int previous = state.position;
    state.position =
        Clamp(state, call.message == UDM_SETPOS ? static_cast<SHORT>(LOWORD(static_cast<DWORD>(call.lParam)))
                                                : static_cast<int>(call.lParam));
    WriteBuddy(call.window, state);
    return previous;
}

// The position, with a high word that is non-zero when the buddy's text is
// no number.
LRESULT GetPosition(const Call& call) {
    const bool ok = ReadBuddy(call.window, call.state);
    return MAKELRESULT(static_cast<WORD>(call.state.position), ok ? 0 : 1);
}

LRESULT GetPosition32(const Call& call) {
    const bool ok = ReadBuddy(call.window, call.state);
    if (call.lParam != 0) *reinterpret_cast<BOOL*>(call.lParam) = ok ? FALSE : TRUE;
    return call.state.position;
}

LRESULT SetBuddy(const Call& call) {
    const HWND previous = call.state.buddy;
    call.state.buddy = reinterpret_cast<HWND>(call.wParam);
    AlignWithBuddy(call.window, call.state.buddy);
    return reinterpret_cast<LRESULT>(previous);
}

LRESULT GetBuddy(const Call& call) {
    return reinterpret_cast<LRESULT>(call.state.buddy);
}

// The user presses an arrow (WinControlSupport::UserSpinMessage: wParam +1
// up, -1 down).
LRESULT UserSpin(const Call& call) {
    Spin(call.window, call.state, static_cast<int>(call.wParam) >= 0 ? 1 : -1);
    return TRUE;
}

constexpr WinControlRow<WinUpDownControl> kRows[] = {
    {WM_CREATE, Create},
    {UDM_SETRANGE, SetRange},
    {UDM_GETRANGE, GetRange},
    {UDM_SETRANGE32, SetRange32},
    {UDM_GETRANGE32, GetRange32},
    {UDM_SETPOS, SetPosition},
    {UDM_SETPOS32, SetPosition},
    {UDM_GETPOS, GetPosition},
    {UDM_GETPOS32, GetPosition32},
    {UDM_SETBUDDY, SetBuddy},
    {UDM_GETBUDDY, GetBuddy},
    {WM_PRINTCLIENT, WinControlPaint<WinUpDownControl, WinControlPainter::PaintUpDown>},
    {WinControlSupport::UserSpinMessage, UserSpin},
};
} // namespace

LRESULT CALLBACK WinUpDownControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WinControlProcedure<WinUpDownControl>(kRows, window, message, wParam, lParam);
}
