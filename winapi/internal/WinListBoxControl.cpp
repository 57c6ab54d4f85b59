#include "winapi/internal/WinListBoxControl.h"

#include <algorithm>

#include "winapi/WinGdiDraw.h"

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlProcedure.h"
#include "winapi/internal/WinTextRules.h"

namespace {
using Call = WinControlCall<WinListBoxControl>;

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

// The item messages list and combo boxes answer alike.
LRESULT ItemMessage(const Call& call) {
    WinListBoxControl& state = call.state;
    const WinItemList::Owner owner{StoresStrings(call.window),
                                   (WinControlSupport::Style(call.window) & LBS_SORT) != 0, state.selection};
    return state.items.Answer(kItemMessages, call.message, call.wParam, call.lParam, owner).value_or(LB_ERR);
}

LRESULT ResetContent(const Call& call) {
    call.state.items.Clear();
    call.state.selection = -1;
    call.state.top = 0;
    return 0;
}

LRESULT GetSelection(const Call& call) {
    return call.state.selection;
}

LRESULT SetSelection(const Call& call) {
    const auto index = static_cast<LONG_PTR>(call.wParam);
    const bool valid = call.state.items.Valid(index);
    call.state.selection = valid ? index : -1;
    return valid ? index : LB_ERR;
}

LRESULT SelectString(const Call& call) {
    const auto start = static_cast<LONG_PTR>(call.wParam);
    const LONG_PTR found =
        call.state.items.Find(start, WinText::View(reinterpret_cast<LPCWSTR>(call.lParam)), false);
    if (found < 0) return LB_ERR;
    call.state.selection = found;
    return found;
}

LRESULT SetHorizontalExtent(const Call& call) {
    call.state.horizontalExtent = static_cast<int>(call.wParam);
    return 0;
}

LRESULT GetHorizontalExtent(const Call& call) {
    return call.state.horizontalExtent;
}

LRESULT GetTopIndex(const Call& call) {
    return call.state.top;
}

LRESULT SetTopIndex(const Call& call) {
    const auto index = static_cast<LONG_PTR>(call.wParam);
    if (!call.state.items.Valid(index)) return LB_ERR;
    call.state.top = index;
    return 0;
}

// An item's height: a line of the list box's font and a pixel above and
// below it.
LONG ItemHeight(HWND window) {
    HDC dc = CreateCompatibleDC(nullptr);
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32W(dc, u"Mg", 2, &extent);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return extent.cy + 2;
}

// Items stand one under the other from the top item down, inside the
// two-pixel edge.
LRESULT GetItemRect(const Call& call) {
    const auto index = static_cast<LONG_PTR>(call.wParam);
    auto* rect = reinterpret_cast<RECT*>(call.lParam);
    if (!call.state.items.Valid(index) || rect == nullptr) return LB_ERR;
    RECT client{};
    GetClientRect(call.window, &client);
    const LONG height = ItemHeight(call.window);
    const LONG top = 2 + static_cast<LONG>(index - call.state.top) * height;
    *rect = {2, top, client.right - 2, top + height};
    return 0;
}

// With LBS_WANTKEYBOARDINPUT the parent first says what the key does.
LRESULT KeyDown(const Call& call) {
    WinListBoxControl& state = call.state;
    const WPARAM key = call.wParam;
    LONG_PTR target = state.selection;
    if ((WinControlSupport::Style(call.window) & LBS_WANTKEYBOARDINPUT) != 0) {
        const HWND parent = WinControlSupport::Parent(call.window);
        const auto caret = static_cast<WORD>(state.selection < 0 ? 0 : state.selection);
        const LRESULT answer =
            parent != nullptr ? SendMessageW(parent, WM_VKEYTOITEM, MAKEWPARAM(static_cast<WORD>(key), caret),
                                             reinterpret_cast<LPARAM>(call.window))
                              : -1;
        if (answer == -2) return 0;
        if (answer >= 0) target = answer;
    }
    const auto last = static_cast<LONG_PTR>(state.items.Count()) - 1;
    if (last < 0) return 0;
    if (key == VK_DOWN)
        ++target;
    else if (key == VK_UP)
        target = target < 0 ? 0 : target - 1;
    else if (key == VK_HOME)
        target = 0;
    else if (key == VK_END)
        target = last;
    else
        return 0;
    target = std::clamp<LONG_PTR>(target, 0, last);
    if (target == state.selection) return 0;
    state.selection = target;
    if (Notifies(call.window)) WinControlSupport::NotifyParent(call.window, LBN_SELCHANGE);
    return 0;
}

LRESULT GainFocus(const Call& call) {
    if (Notifies(call.window)) WinControlSupport::NotifyParent(call.window, LBN_SETFOCUS);
    return 0;
}

LRESULT LoseFocus(const Call& call) {
    if (Notifies(call.window)) WinControlSupport::NotifyParent(call.window, LBN_KILLFOCUS);
    return 0;
}

// The user chooses item wParam (WinControlSupport::UserSelectMessage).
LRESULT UserSelect(const Call& call) {
    const auto index = static_cast<LONG_PTR>(call.wParam);
    if (!call.state.items.Valid(index)) return FALSE;
    SetFocus(call.window);
    call.state.selection = index;
    if (Notifies(call.window)) WinControlSupport::NotifyParent(call.window, LBN_SELCHANGE);
    return TRUE;
}

constexpr WinControlRow<WinListBoxControl> kRows[] = {
    {WM_SETFONT, WinControlFont<WinListBoxControl>},
    {WM_GETFONT, WinControlFont<WinListBoxControl>},
    {LB_ADDSTRING, ItemMessage},
    {LB_INSERTSTRING, ItemMessage},
    {LB_DELETESTRING, ItemMessage},
    {LB_GETCOUNT, ItemMessage},
    {LB_GETTEXT, ItemMessage},
    {LB_GETTEXTLEN, ItemMessage},
    {LB_GETITEMDATA, ItemMessage},
    {LB_SETITEMDATA, ItemMessage},
    {LB_FINDSTRING, ItemMessage},
    {LB_FINDSTRINGEXACT, ItemMessage},
    {LB_RESETCONTENT, ResetContent},
    {LB_GETCURSEL, GetSelection},
    {LB_SETCURSEL, SetSelection},
    {LB_SELECTSTRING, SelectString},
    {LB_SETHORIZONTALEXTENT, SetHorizontalExtent},
    {LB_GETHORIZONTALEXTENT, GetHorizontalExtent},
    {LB_GETTOPINDEX, GetTopIndex},
    {LB_SETTOPINDEX, SetTopIndex},
    {LB_GETITEMRECT, GetItemRect},
    {WM_KEYDOWN, KeyDown},
    {WM_LBUTTONDOWN, WinControlTakeFocus<WinListBoxControl>},
    {WM_SETFOCUS, GainFocus},
    {WM_KILLFOCUS, LoseFocus},
    {WM_GETDLGCODE, WinControlAnswer<WinListBoxControl, DLGC_WANTARROWS | DLGC_WANTCHARS>},
    {WM_PRINTCLIENT, WinControlPaint<WinListBoxControl, WinControlPainter::PaintListBox>},
    {WinControlSupport::UserSelectMessage, UserSelect},
};
} // namespace

LRESULT CALLBACK WinListBoxControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WinControlProcedure<WinListBoxControl>(kRows, window, message, wParam, lParam);
}
