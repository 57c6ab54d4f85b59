#include "winapi/internal/WinComboBoxControl.h"

#include <algorithm>
#include <cstring>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlProcedure.h"
#include "winapi/internal/WinTextRules.h"

namespace {
using Call = WinControlCall<WinComboBoxControl>;

bool Editable(HWND window) {
    return (WinControlSupport::Style(window) & CBS_TYPEMASK) != CBS_DROPDOWNLIST;
}

bool StoresStrings(HWND window) {
    const DWORD style = WinControlSupport::Style(window);
    return (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0 || (style & CBS_HASSTRINGS) != 0;
}

void MeasureItems(HWND window, WinComboBoxControl& state) {
    const HWND parent = WinControlSupport::Parent(window);
    if (parent == nullptr) return;
    for (UINT item : {static_cast<UINT>(-1), 0u}) {
        MEASUREITEMSTRUCT measure{ODT_COMBOBOX, WinControlSupport::Id(window), item, 0, state.itemHeight, 0};
        SendMessageW(parent, WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
        if (item == 0 && measure.itemHeight > 0) state.itemHeight = measure.itemHeight;
    }
}

// The selection, and in an editable combo box the edit part's text with it.
void Select(HWND window, WinComboBoxControl& state, LONG_PTR index) {
    state.selection = index;
    if (!Editable(window)) return;
    WinControlSupport::SetText(window, index >= 0 ? state.items.At(static_cast<size_t>(index)).text : u"");
    state.editStart = 0;
    state.editEnd = WinControlSupport::Text(window).size();
}

// A user's choice of another item tells the parent.
void SelectAsUser(HWND window, WinComboBoxControl& state, LONG_PTR index) {
    if (index == state.selection) return;
    Select(window, state, index);
    WinControlSupport::NotifyParent(window, CBN_SELCHANGE);
}

constexpr WinItemList::Messages kItemMessages{
    CB_ADDSTRING,   CB_INSERTSTRING, CB_DELETESTRING, CB_GETCOUNT,        CB_GETLBTEXT, CB_GETLBTEXTLEN,
    CB_GETITEMDATA, CB_SETITEMDATA,  CB_FINDSTRING,   CB_FINDSTRINGEXACT, CB_ERR};

// The item messages list and combo boxes answer alike.
LRESULT ItemMessage(const Call& call) {
    WinComboBoxControl& state = call.state;
    const WinItemList::Owner owner{StoresStrings(call.window),
                                   (WinControlSupport::Style(call.window) & CBS_SORT) != 0, state.selection};
    return state.items.Answer(kItemMessages, call.message, call.wParam, call.lParam, owner).value_or(CB_ERR);
}

// A drop-down combo box closed: as tall as its field.
void FitField(HWND window, const WinComboBoxControl& state) {
    if ((WinControlSupport::Style(window) & CBS_TYPEMASK) == CBS_SIMPLE) return;
    RECT client{};
    GetClientRect(window, &client);
    SetWindowPos(window, nullptr, 0, 0, client.right, state.FieldHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
}

LRESULT Create(const Call& call) {
    if ((WinControlSupport::Style(call.window) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0)
        MeasureItems(call.window, call.state);
    RECT client{};
    GetClientRect(call.window, &client);
    call.state.droppedHeight = client.bottom;
    FitField(call.window, call.state);
    return 0;
}

LRESULT GetDroppedRect(const Call& call) {
    auto* rect = reinterpret_cast<RECT*>(call.lParam);
    if (rect == nullptr || !GetWindowRect(call.window, rect)) return FALSE;
    rect->bottom = rect->top + std::max(call.state.droppedHeight, call.state.FieldHeight());
    return TRUE;
}

LRESULT ResetContent(const Call& call) {
    call.state.items.Clear();
    call.state.selection = -1;
    if (Editable(call.window)) WinControlSupport::SetText(call.window, {});
    return CB_OKAY;
}

LRESULT GetSelection(const Call& call) {
    return call.state.selection;
}

LRESULT SetSelection(const Call& call) {
    const auto index = static_cast<LONG_PTR>(call.wParam);
    const bool valid = call.state.items.Valid(index);
    Select(call.window, call.state, valid ? index : -1);
    return valid ? index : CB_ERR;
}

LRESULT SelectString(const Call& call) {
    const auto start = static_cast<LONG_PTR>(call.wParam);
    const LONG_PTR found =
        call.state.items.Find(start, WinText::View(reinterpret_cast<LPCWSTR>(call.lParam)), false);
    if (found < 0) return CB_ERR;
    Select(call.window, call.state, found);
    return found;
}

LRESULT LimitText(const Call& call) {
    call.state.limit = call.wParam;
    return TRUE;
}

LRESULT GetEditSelection(const Call& call) {
    const WinComboBoxControl& state = call.state;
    if (call.wParam != 0) *reinterpret_cast<DWORD*>(call.wParam) = static_cast<DWORD>(state.editStart);
    if (call.lParam != 0) *reinterpret_cast<DWORD*>(call.lParam) = static_cast<DWORD>(state.editEnd);
    return MAKELRESULT(static_cast<WORD>(state.editStart), static_cast<WORD>(state.editEnd));
}

// Negative ends mean the end of the text.
LRESULT SetEditSelection(const Call& call) {
    if (!Editable(call.window)) return CB_ERR;
    WinComboBoxControl& state = call.state;
    const size_t length = WinControlSupport::Text(call.window).size();
    const auto start = static_cast<SHORT>(LOWORD(static_cast<DWORD>(call.lParam)));
    const auto end = static_cast<SHORT>(HIWORD(static_cast<DWORD>(call.lParam)));
    state.editStart = start < 0 ? length : std::min<size_t>(static_cast<size_t>(start), length);
    state.editEnd = end < 0 ? length : std::min<size_t>(static_cast<size_t>(end), length);
    if (state.editStart > state.editEnd) std::swap(state.editStart, state.editEnd);
    return TRUE;
}

LRESULT ShowDropDown(const Call& call) {
    WinComboBoxControl& state = call.state;
    if ((call.wParam != 0) != state.dropped) {
        state.dropped = call.wParam != 0;
        WinControlSupport::NotifyParent(call.window, state.dropped ? CBN_DROPDOWN : CBN_CLOSEUP);
    }
    return TRUE;
}

LRESULT GetDroppedState(const Call& call) {
    return call.state.dropped ? TRUE : FALSE;
}

LRESULT SetDroppedWidth(const Call& call) {
    call.state.droppedWidth = static_cast<int>(call.wParam);
    return static_cast<LRESULT>(call.wParam);
}

// At least the control's own width.
LRESULT GetDroppedWidth(const Call& call) {
    RECT rect{};
    GetClientRect(call.window, &rect);
    return std::max<LRESULT>(call.state.droppedWidth, rect.right);
}

LRESULT SetItemHeight(const Call& call) {
    if (static_cast<SHORT>(LOWORD(static_cast<DWORD>(call.lParam))) <= 0) return CB_ERR;
    call.state.itemHeight = LOWORD(static_cast<DWORD>(call.lParam));
    FitField(call.window, call.state);
    return 0;
}

LRESULT GetItemHeight(const Call& call) {
    return static_cast<LRESULT>(call.state.itemHeight);
}

// Only the edit part has a text of its own.
LRESULT SetText(const Call& call) {
    if (!Editable(call.window)) return CB_ERR;
    DefWindowProcW(call.window, call.message, call.wParam, call.lParam);
    call.state.editStart = call.state.editEnd = 0;
    return TRUE;
}

// A drop-down list's text is its selected item's.
LRESULT GetText(const Call& call) {
    const WinComboBoxControl& state = call.state;
    if (Editable(call.window)) return DefWindowProcW(call.window, call.message, call.wParam, call.lParam);
    if (!state.items.Valid(state.selection) || !StoresStrings(call.window)) return 0;
    const std::u16string& selected = state.items.At(static_cast<size_t>(state.selection)).text;
    if (call.message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(selected.size());
    if (call.wParam == 0 || call.lParam == 0) return 0;
    const size_t copied = std::min<size_t>(selected.size(), call.wParam - 1);
    auto* out = reinterpret_cast<WCHAR*>(call.lParam);
    std::memcpy(out, selected.data(), copied * sizeof(WCHAR));
    out[copied] = 0;
    return static_cast<LRESULT>(copied);
}

// The arrow keys move the selection.
LRESULT KeyDown(const Call& call) {
    const WinComboBoxControl& state = call.state;
    if ((call.wParam != VK_DOWN && call.wParam != VK_UP) || state.items.Count() == 0) return 0;
    const LONG_PTR next = std::clamp<LONG_PTR>(state.selection + (call.wParam == VK_DOWN ? 1 : -1), 0,
                                               static_cast<LONG_PTR>(state.items.Count()) - 1);
    SelectAsUser(call.window, call.state, next);
    return 0;
}

LRESULT LoseFocus(const Call& call) {
    if (call.state.dropped) SendMessageW(call.window, CB_SHOWDROPDOWN, FALSE, 0);
    WinControlSupport::NotifyParent(call.window, CBN_KILLFOCUS);
    return 0;
}

// The user chooses item wParam (WinControlSupport::UserSelectMessage).
LRESULT UserSelect(const Call& call) {
    const auto index = static_cast<LONG_PTR>(call.wParam);
    if (!call.state.items.Valid(index)) return FALSE;
    SetFocus(call.window);
    SelectAsUser(call.window, call.state, index);
    return TRUE;
}

// The user types the text at lParam into the edit part
// (WinControlSupport::UserTypeMessage).
LRESULT UserType(const Call& call) {
    if (!Editable(call.window)) return FALSE;
    SetFocus(call.window);
    std::u16string typed(WinText::View(reinterpret_cast<LPCWSTR>(call.lParam)));
    if (call.state.limit > 0 && typed.size() > call.state.limit) typed.resize(call.state.limit);
    WinControlSupport::SetText(call.window, typed);
    call.state.editStart = call.state.editEnd = typed.size();
    WinControlSupport::NotifyParent(call.window, CBN_EDITUPDATE);
    WinControlSupport::NotifyParent(call.window, CBN_EDITCHANGE);
    return TRUE;
}

constexpr WinControlRow<WinComboBoxControl> kRows[] = {
    {WM_SETFONT, WinControlFont<WinComboBoxControl>},
    {WM_GETFONT, WinControlFont<WinComboBoxControl>},
    {CB_ADDSTRING, ItemMessage},
    {CB_INSERTSTRING, ItemMessage},
    {CB_DELETESTRING, ItemMessage},
    {CB_GETCOUNT, ItemMessage},
    {CB_GETLBTEXT, ItemMessage},
    {CB_GETLBTEXTLEN, ItemMessage},
    {CB_GETITEMDATA, ItemMessage},
    {CB_SETITEMDATA, ItemMessage},
    {CB_FINDSTRING, ItemMessage},
    {CB_FINDSTRINGEXACT, ItemMessage},
    {WM_CREATE, Create},
    {CB_RESETCONTENT, ResetContent},
    {CB_GETCURSEL, GetSelection},
    {CB_SETCURSEL, SetSelection},
    {CB_SELECTSTRING, SelectString},
    {CB_LIMITTEXT, LimitText},
    {CB_GETEDITSEL, GetEditSelection},
    {CB_SETEDITSEL, SetEditSelection},
    {CB_SHOWDROPDOWN, ShowDropDown},
    {CB_GETDROPPEDSTATE, GetDroppedState},
    {CB_GETDROPPEDCONTROLRECT, GetDroppedRect},
    {CB_SETDROPPEDWIDTH, SetDroppedWidth},
    {CB_GETDROPPEDWIDTH, GetDroppedWidth},
    {CB_SETITEMHEIGHT, SetItemHeight},
    {CB_GETITEMHEIGHT, GetItemHeight},
    {WM_SETTEXT, SetText},
    {WM_GETTEXT, GetText},
    {WM_GETTEXTLENGTH, GetText},
    {WM_KEYDOWN, KeyDown},
    {WM_LBUTTONDOWN, WinControlTakeFocus<WinComboBoxControl>},
    {WM_SETFOCUS, WinControlNotify<WinComboBoxControl, CBN_SETFOCUS>},
    {WM_KILLFOCUS, LoseFocus},
    {WM_GETDLGCODE, WinControlAnswer<WinComboBoxControl, DLGC_WANTARROWS | DLGC_WANTCHARS>},
    {WM_PRINTCLIENT, WinControlPaint<WinComboBoxControl, WinControlPainter::PaintComboBox>},
    {WinControlSupport::UserSelectMessage, UserSelect},
    {WinControlSupport::UserTypeMessage, UserType},
};
} // namespace

LRESULT CALLBACK WinComboBoxControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WinControlProcedure<WinComboBoxControl>(kRows, window, message, wParam, lParam);
}
