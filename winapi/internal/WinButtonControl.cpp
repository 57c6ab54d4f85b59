#include "winapi/internal/WinButtonControl.h"

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlSupport.h"

namespace {
DWORD Type(HWND window) {
    return WinControlSupport::Style(window) & BS_TYPEMASK;
}

bool IsCheckable(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_3STATE ||
           type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
}

bool IsAutoRadio(HWND window) {
    auto object = WinControlSupport::Window(window);
    return object != nullptr && object->windowClass->name == u"Button" &&
           (object->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

LRESULT DialogCode(DWORD type) {
    switch (type) {
    case BS_PUSHBUTTON:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}
} // namespace

LRESULT CALLBACK WinButtonControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        WinControlSupport::Attach<WinButtonControl>(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto object = WinControlSupport::Window(window);
    auto* state = WinControlSupport::Of<WinButtonControl>(object);
    LRESULT result = 0;
    if (state == nullptr || WinControlSupport::HandleFont(window, message, wParam, result)) return result;
    const DWORD type = Type(window);
    switch (message) {
    case BM_GETCHECK:
        return IsCheckable(type) ? static_cast<LRESULT>(state->check) : 0;
    case BM_SETCHECK:
        if (IsCheckable(type)) state->check = static_cast<UINT>(wParam) & (BST_CHECKED | BST_INDETERMINATE);
        return 0;
    case BM_GETSTATE:
        return static_cast<LRESULT>((IsCheckable(type) ? state->check : 0) |
                                    (state->pushed ? BST_PUSHED : 0) | (state->focused ? BST_FOCUS : 0));
    case BM_SETSTATE:
        state->pushed = wParam != 0;
        return 0;
    case BM_SETSTYLE:
        WinControlSupport::SetStyle(window,
                                    (WinControlSupport::Style(window) & 0xFFFF0000) | (wParam & 0xFFFF));
        return 0;
    case BM_CLICK:
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(window, WM_LBUTTONUP, 0, 0);
        return 0;
    case WM_LBUTTONDOWN:
        if (type == BS_GROUPBOX || !IsWindowEnabled(window)) return 0;
        SetFocus(window);
        state->pushed = true;
        return 0;
    case WM_LBUTTONUP:
        if (!state->pushed) return 0;
        state->pushed = false;
        Click(window, *state);
        return 0;
    case WM_SETFOCUS:
        state->focused = true;
        if ((WinControlSupport::Style(window) & BS_NOTIFY) != 0)
            WinControlSupport::NotifyParent(window, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        state->focused = false;
        state->pushed = false;
        if ((WinControlSupport::Style(window) & BS_NOTIFY) != 0)
            WinControlSupport::NotifyParent(window, BN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DialogCode(type);
    case WM_PRINTCLIENT:
        WinControlPainter::PaintButton(window, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void WinButtonControl::Click(HWND window, WinButtonControl& state) {
    switch (Type(window)) {
    case BS_AUTOCHECKBOX:
        state.check = state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        break;
    case BS_AUTO3STATE:
        state.check = state.check == BST_UNCHECKED ? BST_CHECKED
                      : state.check == BST_CHECKED ? BST_INDETERMINATE
                                                   : BST_UNCHECKED;
        break;
    case BS_AUTORADIOBUTTON:
        CheckInGroup(window);
        break;
    default:
        break;
    }
    WinControlSupport::NotifyParent(window, BN_CLICKED);
}

// Checks the radio button and clears the other automatic radio buttons of
// its group: the siblings from the last one at or before it that starts a
// group (WS_GROUP) up to the next one that starts another.
void WinButtonControl::CheckInGroup(HWND window) {
    std::vector<HWND> siblings;
    if (auto parent = WinControlSupport::Window(WinControlSupport::Parent(window))) {
        auto hold = WinWindowManager::Instance().Lock();
        siblings = parent->children;
    }
    size_t at = 0;
    while (at < siblings.size() && siblings[at] != window)
        ++at;
    if (at == siblings.size()) return;
    size_t first = at;
    while (first > 0 && (WinControlSupport::Style(siblings[first]) & WS_GROUP) == 0)
        --first;
    for (size_t i = first; i < siblings.size(); ++i) {
        if (i > first && (WinControlSupport::Style(siblings[i]) & WS_GROUP) != 0) break;
        if (!IsAutoRadio(siblings[i])) continue;
        SendMessageW(siblings[i], BM_SETCHECK, siblings[i] == window ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}
