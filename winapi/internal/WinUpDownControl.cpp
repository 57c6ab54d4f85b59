#include "winapi/internal/WinUpDownControl.h"

#include <algorithm>
#include <string>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlSupport.h"
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
} // namespace

LRESULT CALLBACK WinUpDownControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        WinControlSupport::Attach<WinUpDownControl>(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto object = WinControlSupport::Window(window);
    auto* state = WinControlSupport::Of<WinUpDownControl>(object);
    if (state == nullptr) return 0;
    switch (message) {
    case WM_CREATE:
        if ((WinControlSupport::Style(window) & UDS_AUTOBUDDY) != 0)
            state->buddy = GetWindow(window, GW_HWNDPREV);
        return 0;
    case UDM_SETRANGE:
        state->maximum = static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam)));
        state->minimum = static_cast<SHORT>(HIWORD(static_cast<DWORD>(lParam)));
        return 0;
    case UDM_GETRANGE:
        return MAKELRESULT(static_cast<WORD>(state->maximum), static_cast<WORD>(state->minimum));
    case UDM_SETRANGE32:
        state->minimum = static_cast<int>(wParam);
        state->maximum = static_cast<int>(lParam);
        return 0;
    case UDM_GETRANGE32:
        if (wParam != 0) *reinterpret_cast<int*>(wParam) = state->minimum;
        if (lParam != 0) *reinterpret_cast<int*>(lParam) = state->maximum;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        const int previous = state->position;
        state->position =
            Clamp(*state, message == UDM_SETPOS ? static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam)))
                                                : static_cast<int>(lParam));
        WriteBuddy(window, *state);
        return previous;
    }
    case UDM_GETPOS: {
        const bool ok = ReadBuddy(window, *state);
        return MAKELRESULT(static_cast<WORD>(state->position), ok ? 0 : 1);
    }
    case UDM_GETPOS32: {
        const bool ok = ReadBuddy(window, *state);
        if (lParam != 0) *reinterpret_cast<BOOL*>(lParam) = ok ? FALSE : TRUE;
        return state->position;
    }
    case UDM_SETBUDDY: {
        const HWND previous = state->buddy;
        state->buddy = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(state->buddy);
    case WM_PRINTCLIENT:
        WinControlPainter::PaintUpDown(window, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        break;
    }
    if (message == WinControlSupport::UserSpinMessage()) {
        Spin(window, *state, static_cast<int>(wParam) >= 0 ? 1 : -1);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// With UDS_SETBUDDYINT: takes the position from the buddy's text; false
// when that is not a number.
bool WinUpDownControl::ReadBuddy(HWND window, WinUpDownControl& state) {
    if ((WinControlSupport::Style(window) & UDS_SETBUDDYINT) == 0 || !IsWindow(state.buddy)) return true;
    WCHAR text[64] = {};
    GetWindowTextW(state.buddy, text, 64);
    int value = 0;
    if (!Parse(std::u16string(WinText::View(text)), value)) return false;
    state.position = Clamp(state, value);
    return true;
}

void WinUpDownControl::WriteBuddy(HWND window, const WinUpDownControl& state) {
    const DWORD style = WinControlSupport::Style(window);
    if ((style & UDS_SETBUDDYINT) == 0 || !IsWindow(state.buddy)) return;
    const std::u16string text = Format(state.position, (style & UDS_NOTHOUSANDS) == 0);
    SetWindowTextW(state.buddy, text.c_str());
}

void WinUpDownControl::Spin(HWND window, WinUpDownControl& state, int direction) {
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
