#pragma once
// The window procedure of the layer's controls, as a table: one row per
// message a control answers, each a small handler; a message no row names
// goes to DefWindowProcW. The procedure creates the control's state at
// WM_NCCREATE and gives every handler the window, that state and the
// message's parameters, so a message a control has to learn is one row and
// one function.
#include <span>

#include "winapi/WinWindow.h"
#include "winapi/internal/WinControlSupport.h"

// The message a row answers: a fixed number, or one the layer registers
// when it starts afresh (a user's action, WinControlSupport::User*Message),
// which is looked up only when no fixed row matches.
struct WinMessageId {
    constexpr WinMessageId(UINT fixed) : fixed(fixed) {}
    constexpr WinMessageId(UINT (*registered)()) : registered(registered) {}

    UINT fixed = 0;
    UINT (*registered)() = nullptr;
};

// One message to a control of state type State.
template <typename State> struct WinControlCall {
    HWND window;
    State& state;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

template <typename State> struct WinControlRow {
    WinMessageId message;
    LRESULT (*handle)(const WinControlCall<State>& call);
};

template <typename Row> const Row* WinFindMessageRow(std::span<const Row> rows, UINT message) {
    for (const Row& row : rows)
        if (row.message.registered == nullptr && row.message.fixed == message) return &row;
    for (const Row& row : rows)
        if (row.message.registered != nullptr && row.message.registered() == message) return &row;
    return nullptr;
}

// The procedure of every control class: Procedure(window, message, ...) of
// WinButtonControl is WinControlProcedure<WinButtonControl>(kRows, ...).
// A window without a state of the type (one whose procedure was swapped
// for another class's) answers 0.
template <typename State>
LRESULT WinControlProcedure(std::span<const WinControlRow<State>> rows, HWND window, UINT message,
                            WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        WinControlSupport::Attach<State>(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const auto object = WinControlSupport::Window(window); // keeps the state alive through the call
    State* state = WinControlSupport::Of<State>(object);
    if (state == nullptr) return 0;
    const WinControlRow<State>* row = WinFindMessageRow(rows, message);
    if (row == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return row->handle(WinControlCall<State>{window, *state, message, wParam, lParam});
}

// The rows of WM_SETFONT and WM_GETFONT for controls that keep the font
// they are given.
template <typename State> LRESULT WinControlFont(const WinControlCall<State>& call) {
    LRESULT result = 0;
    WinControlSupport::HandleFont(call.window, call.message, call.wParam, result);
    return result;
}

// Rows every control writes alike: a fixed answer (WM_GETDLGCODE), painting
// itself into the device context of WM_PRINTCLIENT, the focus a click takes,
// and a plain notification of the parent.
template <typename State, LRESULT Answer> LRESULT WinControlAnswer(const WinControlCall<State>&) {
    return Answer;
}

template <typename State, void (*Paint)(HWND control, HDC dc)>
LRESULT WinControlPaint(const WinControlCall<State>& call) {
    Paint(call.window, reinterpret_cast<HDC>(call.wParam));
    return 0;
}

template <typename State> LRESULT WinControlTakeFocus(const WinControlCall<State>& call) {
    if (IsWindowEnabled(call.window)) SetFocus(call.window);
    return 0;
}

template <typename State, WORD Code> LRESULT WinControlNotify(const WinControlCall<State>& call) {
    WinControlSupport::NotifyParent(call.window, Code);
    return 0;
}
