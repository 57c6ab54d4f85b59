#include "winapi/internal/WinListBoxControl.h"

#include <algorithm>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlSupport.h"
#include "winapi/internal/WinTextRules.h"

namespace {
bool Notifies(HWND window) {
    return (WinControlSupport::Style(window) & LBS_NOTIFY) != 0;
}

bool StoresStrings(HWND window) {
    const DWORD style = WinControlSupport::Style(window);
    return (style & LBS_OWNERDRAWFIXED) == 0 || (style & LBS_HASSTRINGS) != 0;
}

constexpr WinItemList::Messages kItemMessages{
    LB_ADDSTRING,   LB_INSERTSTRING, LB_DELETESTRING, LB_GETCOUNT,        LB_GETTEXT, LB_GETTEXTLEN,
    LB_GETITEMDATA, LB_SETITEMDATA,  LB_FINDSTRING,   LB_FINDSTRINGEXACT, LB_ERR};
} // namespace

LRESULT CALLBACK WinListBoxControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        WinControlSupport::Attach<WinListBoxControl>(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto object = WinControlSupport::Window(window);
    auto* state = WinControlSupport::Of<WinListBoxControl>(object);
    LRESULT result = 0;
    if (state == nullptr || WinControlSupport::HandleFont(window, message, wParam, result)) return result;
    auto& items = state->items;
    const auto index = static_cast<LONG_PTR>(wParam);
    const WinItemList::Owner owner{StoresStrings(window), (WinControlSupport::Style(window) & LBS_SORT) != 0,
                                   state->selection};
    if (const auto answer = items.Answer(kItemMessages, message, wParam, lParam, owner)) return *answer;
    switch (message) {
    case LB_RESETCONTENT:
        items.Clear();
        state->selection = -1;
        state->top = 0;
        return 0;
    case LB_GETCURSEL:
        return state->selection;
    case LB_SETCURSEL:
        state->selection = items.Valid(index) ? index : -1;
        return items.Valid(index) ? index : LB_ERR;
    case LB_SELECTSTRING: {
        const LONG_PTR found = items.Find(index, WinText::View(reinterpret_cast<LPCWSTR>(lParam)), false);
        if (found < 0) return LB_ERR;
        state->selection = found;
        return found;
    }
    case LB_SETHORIZONTALEXTENT:
        state->horizontalExtent = static_cast<int>(wParam);
        return 0;
    case LB_GETHORIZONTALEXTENT:
        return state->horizontalExtent;
    case LB_GETTOPINDEX:
        return state->top;
    case LB_SETTOPINDEX:
        if (!items.Valid(index)) return LB_ERR;
        state->top = index;
        return 0;
    case WM_KEYDOWN:
        Key(window, *state, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        if (IsWindowEnabled(window)) SetFocus(window);
        return 0;
    case WM_SETFOCUS:
        if (Notifies(window)) WinControlSupport::NotifyParent(window, LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (Notifies(window)) WinControlSupport::NotifyParent(window, LBN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PRINTCLIENT:
        WinControlPainter::PaintListBox(window, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        break;
    }
    if (message == WinControlSupport::UserSelectMessage()) {
        if (!items.Valid(index)) return FALSE;
        UserSelect(window, *state, index);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void WinListBoxControl::UserSelect(HWND window, WinListBoxControl& state, LONG_PTR index) {
    SetFocus(window);
    state.selection = index;
    if (Notifies(window)) WinControlSupport::NotifyParent(window, LBN_SELCHANGE);
}

void WinListBoxControl::Key(HWND window, WinListBoxControl& state, WPARAM key) {
    LONG_PTR target = state.selection;
    if ((WinControlSupport::Style(window) & LBS_WANTKEYBOARDINPUT) != 0) {
        const HWND parent = WinControlSupport::Parent(window);
        const auto caret = static_cast<WORD>(state.selection < 0 ? 0 : state.selection);
        const LRESULT answer =
            parent != nullptr ? SendMessageW(parent, WM_VKEYTOITEM, MAKEWPARAM(static_cast<WORD>(key), caret),
                                             reinterpret_cast<LPARAM>(window))
                              : -1;
        if (answer == -2) return;
        if (answer >= 0) target = answer;
    }
    const auto last = static_cast<LONG_PTR>(state.items.Count()) - 1;
    if (last < 0) return;
    if (key == VK_DOWN)
        ++target;
    else if (key == VK_UP)
        target = target < 0 ? 0 : target - 1;
    else if (key == VK_HOME)
        target = 0;
    else if (key == VK_END)
        target = last;
    else
        return;
    target = std::clamp<LONG_PTR>(target, 0, last);
    if (target == state.selection) return;
    state.selection = target;
    if (Notifies(window)) WinControlSupport::NotifyParent(window, LBN_SELCHANGE);
}
