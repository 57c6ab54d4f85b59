#include "winapi/internal/WinButtonControl.h"

#include <vector>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlProcedure.h"

namespace {
using Call = WinControlCall<WinButtonControl>;

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

// Checks the radio button and clears the other automatic radio buttons of
// its group: the siblings from the last one at or before it that starts a
// group (WS_GROUP) up to the next one that starts another.
void CheckInGroup(HWND window) {
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

void Click(HWND window, WinButtonControl& state) {
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

LRESULT GetCheck(const Call& call) {
    return IsCheckable(Type(call.window)) ? static_cast<LRESULT>(call.state.check) : 0;
}

LRESULT SetCheck(const Call& call) {
    if (IsCheckable(Type(call.window)))
        call.state.check = static_cast<UINT>(call.wParam) & (BST_CHECKED | BST_INDETERMINATE);
    return 0;
}

LRESULT GetState(const Call& call) {
    const WinButtonControl& state = call.state;
    return static_cast<LRESULT>((IsCheckable(Type(call.window)) ? state.check : 0) |
                                (state.pushed ? BST_PUSHED : 0) | (state.focused ? BST_FOCUS : 0));
}

LRESULT SetState(const Call& call) {
    call.state.pushed = call.wParam != 0;
    return 0;
}

LRESULT SetStyle(const Call& call) {
    const DWORD style = WinControlSupport::Style(call.window);
    WinControlSupport::SetStyle(call.window, (style & 0xFFFF0000) | (call.wParam & 0xFFFF));
    return 0;
}

LRESULT ClickMessage(const Call& call) {
    SendMessageW(call.window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(call.window, WM_LBUTTONUP, 0, 0);
    return 0;
}

LRESULT ButtonDown(const Call& call) {
    if (Type(call.window) == BS_GROUPBOX || !IsWindowEnabled(call.window)) return 0;
    SetFocus(call.window);
    call.state.pushed = true;
    return 0;
}

LRESULT ButtonUp(const Call& call) {
    if (!call.state.pushed) return 0;
    call.state.pushed = false;
    Click(call.window, call.state);
    return 0;
}

LRESULT GainFocus(const Call& call) {
    call.state.focused = true;
    if ((WinControlSupport::Style(call.window) & BS_NOTIFY) != 0)
        WinControlSupport::NotifyParent(call.window, BN_SETFOCUS);
    return 0;
}

LRESULT LoseFocus(const Call& call) {
    call.state.focused = false;
    call.state.pushed = false;
    if ((WinControlSupport::Style(call.window) & BS_NOTIFY) != 0)
        WinControlSupport::NotifyParent(call.window, BN_KILLFOCUS);
    return 0;
}

LRESULT DialogCodeOf(const Call& call) {
    return DialogCode(Type(call.window));
}

constexpr WinControlRow<WinButtonControl> kRows[] = {
    {WM_SETFONT, WinControlFont<WinButtonControl>},
    {WM_GETFONT, WinControlFont<WinButtonControl>},
    {BM_GETCHECK, GetCheck},
    {BM_SETCHECK, SetCheck},
    {BM_GETSTATE, GetState},
    {BM_SETSTATE, SetState},
    {BM_SETSTYLE, SetStyle},
    {BM_CLICK, ClickMessage},
    {WM_LBUTTONDOWN, ButtonDown},
    {WM_LBUTTONUP, ButtonUp},
    {WM_SETFOCUS, GainFocus},
    {WM_KILLFOCUS, LoseFocus},
    {WM_GETDLGCODE, DialogCodeOf},
    {WM_PRINTCLIENT, WinControlPaint<WinButtonControl, WinControlPainter::PaintButton>},
};
} // namespace

LRESULT CALLBACK WinButtonControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WinControlProcedure<WinButtonControl>(kRows, window, message, wParam, lParam);
}
