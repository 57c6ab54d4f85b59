#include "winapi/internal/WinEditControl.h"

#include <algorithm>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlProcedure.h"
#include "winapi/internal/WinTextRules.h"

namespace {
using Call = WinControlCall<WinEditControl>;

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}
char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

size_t Length(HWND window) {
    return WinControlSupport::Text(window).size();
}

void Clamp(WinEditControl& state, size_t length) {
    state.selectionStart = std::min(state.selectionStart, length);
    state.selectionEnd = std::min(state.selectionEnd, length);
    if (state.selectionStart > state.selectionEnd) std::swap(state.selectionStart, state.selectionEnd);
}

void Changed(HWND window) {
    WinControlSupport::NotifyParent(window, EN_UPDATE);
    WinControlSupport::NotifyParent(window, EN_CHANGE);
}

// Replaces the selection by `insert` (cut to the limit); false when nothing
// changed.
bool ReplaceSelection(HWND window, WinEditControl& state, std::u16string insert, bool typed) {
    std::u16string text = WinControlSupport::Text(window);
    Clamp(state, text.size());
    const size_t kept = text.size() - (state.selectionEnd - state.selectionStart);
    if (kept + insert.size() > state.limit) {
        insert.resize(state.limit > kept ? state.limit - kept : 0);
        WinControlSupport::NotifyParent(window, EN_MAXTEXT);
    }
    if (insert.empty() && state.selectionStart == state.selectionEnd) return false;
    text.replace(state.selectionStart, state.selectionEnd - state.selectionStart, insert);
    state.selectionStart = state.selectionEnd = state.selectionStart + insert.size();
    WinControlSupport::SetText(window, std::move(text));
    if (typed) state.modified = true;
    Changed(window);
    return true;
}

void TypeCharacter(HWND window, WinEditControl& state, char16_t character) {
    const DWORD style = WinControlSupport::Style(window);
    if ((style & ES_READONLY) != 0) return;
    if (character == VK_BACK) {
        Clamp(state, Length(window));
        if (state.selectionStart == state.selectionEnd && state.selectionStart > 0) --state.selectionStart;
        ReplaceSelection(window, state, {}, true);
        return;
    }
    if (character < 0x20) return;
    if ((style & ES_NUMBER) != 0 && (character < u'0' || character > u'9')) return;
    if ((style & ES_UPPERCASE) != 0) character = Upper(character);
    if ((style & ES_LOWERCASE) != 0) character = Lower(character);
    ReplaceSelection(window, state, std::u16string(1, character), true);
}

LRESULT SetText(const Call& call) {
    DefWindowProcW(call.window, call.message, call.wParam, call.lParam);
    call.state.selectionStart = call.state.selectionEnd = 0;
    call.state.modified = false;
    if ((WinControlSupport::Style(call.window) & ES_MULTILINE) == 0) Changed(call.window);
    return TRUE;
}

LRESULT Character(const Call& call) {
    TypeCharacter(call.window, call.state, static_cast<char16_t>(call.wParam));
    return 0;
}

LRESULT KeyDown(const Call& call) {
    WinEditControl& state = call.state;
    const size_t length = Length(call.window);
    const WPARAM key = call.wParam;
    if (key == VK_DELETE && (WinControlSupport::Style(call.window) & ES_READONLY) == 0) {
        if (state.selectionStart == state.selectionEnd && state.selectionEnd < length) ++state.selectionEnd;
        ReplaceSelection(call.window, state, {}, true);
    } else if (key == VK_HOME || key == VK_END) {
        state.selectionStart = state.selectionEnd = key == VK_HOME ? 0 : length;
    } else if (key == VK_LEFT && state.selectionStart > 0) {
        state.selectionEnd = --state.selectionStart;
    } else if (key == VK_RIGHT) {
        state.selectionStart = state.selectionEnd = std::min(state.selectionEnd + 1, length);
    }
    return 0;
}

LRESULT ReplaceSelectionMessage(const Call& call) {
    std::u16string text(WinText::View(reinterpret_cast<LPCWSTR>(call.lParam)));
    if (ReplaceSelection(call.window, call.state, std::move(text), false)) call.state.modified = true;
    return 0;
}

LRESULT GetSelection(const Call& call) {
    WinEditControl& state = call.state;
    Clamp(state, Length(call.window));
    if (call.wParam != 0) *reinterpret_cast<DWORD*>(call.wParam) = static_cast<DWORD>(state.selectionStart);
    if (call.lParam != 0) *reinterpret_cast<DWORD*>(call.lParam) = static_cast<DWORD>(state.selectionEnd);
    return MAKELRESULT(static_cast<WORD>(std::min<size_t>(state.selectionStart, 0xFFFF)),
                       static_cast<WORD>(std::min<size_t>(state.selectionEnd, 0xFFFF)));
}

LRESULT SetSelection(const Call& call) {
    WinEditControl& state = call.state;
    const size_t length = Length(call.window);
    const auto start = static_cast<LONG>(call.wParam), end = static_cast<LONG>(call.lParam);
    if (start < 0) {
        state.selectionStart = state.selectionEnd;
    } else {
        state.selectionStart = static_cast<size_t>(start);
        state.selectionEnd = end < 0 ? length : static_cast<size_t>(end);
    }
    Clamp(state, length);
    return 0;
}

LRESULT GetModify(const Call& call) {
    return call.state.modified ? TRUE : FALSE;
}

LRESULT SetModify(const Call& call) {
    call.state.modified = call.wParam != 0;
    return 0;
}

LRESULT LimitText(const Call& call) {
    call.state.limit = call.wParam == 0 ? 0x7FFFFFFE : static_cast<size_t>(call.wParam);
    return 0;
}

LRESULT GetLimitText(const Call& call) {
    return static_cast<LRESULT>(call.state.limit);
}

LRESULT SetReadOnly(const Call& call) {
    const DWORD style = WinControlSupport::Style(call.window);
    WinControlSupport::SetStyle(call.window, call.wParam != 0 ? style | ES_READONLY : style & ~ES_READONLY);
    return TRUE;
}

LRESULT SetBackgroundColor(const Call& call) {
    WinEditControl& state = call.state;
    const LRESULT previous = state.systemBackground ? static_cast<LRESULT>(CLR_INVALID) : state.background;
    state.systemBackground = call.wParam != 0;
    state.background = static_cast<COLORREF>(call.lParam);
    return previous;
}

constexpr WinControlRow<WinEditControl> kRows[] = {
    {WM_SETFONT, WinControlFont<WinEditControl>},
    {WM_GETFONT, WinControlFont<WinEditControl>},
    {WM_SETTEXT, SetText},
    {WM_CHAR, Character},
    {WM_KEYDOWN, KeyDown},
    {EM_REPLACESEL, ReplaceSelectionMessage},
    {EM_GETSEL, GetSelection},
    {EM_SETSEL, SetSelection},
    {EM_GETMODIFY, GetModify},
    {EM_SETMODIFY, SetModify},
    {EM_LIMITTEXT, LimitText},
    {EM_GETLIMITTEXT, GetLimitText},
    {EM_SETREADONLY, SetReadOnly},
    {EM_SETBKGNDCOLOR, SetBackgroundColor},
    {WM_LBUTTONDOWN, WinControlTakeFocus<WinEditControl>},
    {WM_SETFOCUS, WinControlNotify<WinEditControl, EN_SETFOCUS>},
    {WM_KILLFOCUS, WinControlNotify<WinEditControl, EN_KILLFOCUS>},
    {WM_GETDLGCODE, WinControlAnswer<WinEditControl, DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS>},
    {WM_PRINTCLIENT, WinControlPaint<WinEditControl, WinControlPainter::PaintEdit>},
};
} // namespace

LRESULT CALLBACK WinEditControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WinControlProcedure<WinEditControl>(kRows, window, message, wParam, lParam);
}
