#pragma once
// What every control class of the layer shares: its window and state, its
// parent and id, the notification of its parent, the font it is given and
// the window text, read without a message (so a subclassed control's own
// procedure is not asked).
#include <memory>
#include <string>

#include "winapi/internal/WinWindowManager.h"

class WinControlSupport {
public:
    static std::shared_ptr<WinWindowObject> Window(HWND control);
    // Creates the control's state of the given type at WM_NCCREATE.
    template <typename State> static State* Attach(HWND control) {
        auto hold = WinWindowManager::Instance().Lock();
        auto window = WinWindowManager::Instance().Get(control);
        if (window == nullptr) return nullptr;
        auto state = std::make_unique<State>();
        State* raw = state.get();
        window->control = std::move(state);
        return raw;
    }
    template <typename State> static State* Of(const std::shared_ptr<WinWindowObject>& window) {
        return WinWindowManager::Control<State>(window);
    }
    static HWND Parent(HWND control);
    static UINT Id(HWND control);
    static DWORD Style(HWND control);
    static void SetStyle(HWND control, DWORD style);
    static std::u16string Text(HWND control);
    static void SetText(HWND control, std::u16string text);
    // WM_COMMAND MAKEWPARAM(id, code) with the control in lParam.
    static LRESULT NotifyParent(HWND control, WORD code);
    // WM_SETFONT and WM_GETFONT; true when the message was one of them.
    static bool HandleFont(HWND control, UINT message, WPARAM wParam, LRESULT& result);
    // Whether a user can act on the control: it and its parents are
    // visible and enabled.
    static bool IsUsable(HWND control);

    // Messages private to the layer (registered, so no class or program
    // message can collide with them) that carry a user's action to a
    // control: choose list item wParam (list and combo boxes); type the text
    // at lParam into the edit part (editable combo boxes); press an up-down
    // arrow (wParam +1 up, -1 down); move a track bar (wParam scroll code,
    // lParam position). A subclassing procedure passes them on like any
    // other message.
    static UINT UserSelectMessage();
    static UINT UserTypeMessage();
    static UINT UserSpinMessage();
    static UINT UserScrollMessage();
};
