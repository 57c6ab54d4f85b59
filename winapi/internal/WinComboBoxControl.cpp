#include "winapi/internal/WinComboBoxControl.h"

#include <algorithm>
#include <cstring>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlSupport.h"
#include "winapi/internal/WinTextRules.h"

namespace {
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

constexpr WinItemList::Messages kItemMessages{
    CB_ADDSTRING,   CB_INSERTSTRING, CB_DELETESTRING, CB_GETCOUNT,        CB_GETLBTEXT, CB_GETLBTEXTLEN,
    CB_GETITEMDATA, CB_SETITEMDATA,  CB_FINDSTRING,   CB_FINDSTRINGEXACT, CB_ERR};
} // namespace

LRESULT CALLBACK WinComboBoxControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        WinControlSupport::Attach<WinComboBoxControl>(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto object = WinControlSupport::Window(window);
    auto* state = WinControlSupport::Of<WinComboBoxControl>(object);
    LRESULT result = 0;
    if (state == nullptr || WinControlSupport::HandleFont(window, message, wParam, result)) return result;
    auto& items = state->items;
    const auto index = static_cast<LONG_PTR>(wParam);
    const WinItemList::Owner owner{StoresStrings(window), (WinControlSupport::Style(window) & CBS_SORT) != 0,
                                   state->selection};
    if (const auto answer = items.Answer(kItemMessages, message, wParam, lParam, owner)) return *answer;
    switch (message) {
    case WM_CREATE:
        if ((WinControlSupport::Style(window) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0)
            MeasureItems(window, *state);
        return 0;
    case CB_RESETCONTENT:
        items.Clear();
        state->selection = -1;
        if (Editable(window)) WinControlSupport::SetText(window, {});
        return CB_OKAY;
    case CB_GETCURSEL:
        return state->selection;
    case CB_SETCURSEL:
        Select(window, *state, items.Valid(index) ? index : -1);
        return items.Valid(index) ? index : CB_ERR;
    case CB_SELECTSTRING: {
        const LONG_PTR found = items.Find(index, WinText::View(reinterpret_cast<LPCWSTR>(lParam)), false);
        if (found < 0) return CB_ERR;
        Select(window, *state, found);
        return found;
    }
    case CB_LIMITTEXT:
        state->limit = wParam;
        return TRUE;
    case CB_GETEDITSEL:
        if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(state->editStart);
        if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(state->editEnd);
        return MAKELRESULT(static_cast<WORD>(state->editStart), static_cast<WORD>(state->editEnd));
    case CB_SETEDITSEL: {
        if (!Editable(window)) return CB_ERR;
        const size_t length = WinControlSupport::Text(window).size();
        const auto start = static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam)));
        const auto end = static_cast<SHORT>(HIWORD(static_cast<DWORD>(lParam)));
        state->editStart = start < 0 ? length : std::min<size_t>(static_cast<size_t>(start), length);
        state->editEnd = end < 0 ? length : std::min<size_t>(static_cast<size_t>(end), length);
        if (state->editStart > state->editEnd) std::swap(state->editStart, state->editEnd);
        return TRUE;
    }
    case CB_SHOWDROPDOWN:
        if ((wParam != 0) != state->dropped) {
            state->dropped = wParam != 0;
            WinControlSupport::NotifyParent(window, state->dropped ? CBN_DROPDOWN : CBN_CLOSEUP);
        }
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return state->dropped ? TRUE : FALSE;
    case CB_SETDROPPEDWIDTH:
        state->droppedWidth = static_cast<int>(wParam);
        return static_cast<LRESULT>(wParam);
    case CB_GETDROPPEDWIDTH: {
        RECT rect{};
        GetClientRect(window, &rect);
        return std::max<LRESULT>(state->droppedWidth, rect.right);
    }
    case CB_SETITEMHEIGHT:
        if (static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam))) <= 0) return CB_ERR;
        state->itemHeight = LOWORD(static_cast<DWORD>(lParam));
        return 0;
    case CB_GETITEMHEIGHT:
        return static_cast<LRESULT>(state->itemHeight);
    case WM_SETTEXT:
        if (!Editable(window)) return CB_ERR;
        DefWindowProcW(window, message, wParam, lParam);
        state->editStart = state->editEnd = 0;
        return TRUE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        if (Editable(window) || !items.Valid(state->selection) || !owner.strings)
            return Editable(window) ? DefWindowProcW(window, message, wParam, lParam) : 0;
        if (message == WM_GETTEXTLENGTH)
            return static_cast<LRESULT>(items.At(static_cast<size_t>(state->selection)).text.size());
        {
            const std::u16string& selected = items.At(static_cast<size_t>(state->selection)).text;
            if (wParam == 0 || lParam == 0) return 0;
            const size_t copied = std::min<size_t>(selected.size(), wParam - 1);
            auto* out = reinterpret_cast<WCHAR*>(lParam);
            std::memcpy(out, selected.data(), copied * sizeof(WCHAR));
            out[copied] = 0;
            return static_cast<LRESULT>(copied);
        }
    case WM_KEYDOWN:
        if ((wParam == VK_DOWN || wParam == VK_UP) && items.Count() > 0) {
            const LONG_PTR next = std::clamp<LONG_PTR>(state->selection + (wParam == VK_DOWN ? 1 : -1), 0,
                                                       static_cast<LONG_PTR>(items.Count()) - 1);
            if (next != state->selection) {
                Select(window, *state, next);
                WinControlSupport::NotifyParent(window, CBN_SELCHANGE);
            }
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (IsWindowEnabled(window)) SetFocus(window);
        return 0;
    case WM_SETFOCUS:
        WinControlSupport::NotifyParent(window, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        if (state->dropped) SendMessageW(window, CB_SHOWDROPDOWN, FALSE, 0);
        WinControlSupport::NotifyParent(window, CBN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PRINTCLIENT:
        WinControlPainter::PaintComboBox(window, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        break;
    }
    if (message == WinControlSupport::UserSelectMessage()) {
        if (!items.Valid(index)) return FALSE;
        SetFocus(window);
        if (index != state->selection) {
            Select(window, *state, index);
            WinControlSupport::NotifyParent(window, CBN_SELCHANGE);
        }
        return TRUE;
    }
    if (message == WinControlSupport::UserTypeMessage()) {
        if (!Editable(window)) return FALSE;
        SetFocus(window);
        std::u16string typed(WinText::View(reinterpret_cast<LPCWSTR>(lParam)));
        if (state->limit > 0 && typed.size() > state->limit) typed.resize(state->limit);
        WinControlSupport::SetText(window, typed);
        state->editStart = state->editEnd = typed.size();
        WinControlSupport::NotifyParent(window, CBN_EDITUPDATE);
        WinControlSupport::NotifyParent(window, CBN_EDITCHANGE);
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void WinComboBoxControl::Select(HWND window, WinComboBoxControl& state, LONG_PTR index) {
    state.selection = index;
    if (!Editable(window)) return;
    WinControlSupport::SetText(window, index >= 0 ? state.items.At(static_cast<size_t>(index)).text : u"");
    state.editStart = 0;
    state.editEnd = WinControlSupport::Text(window).size();
}
