#include "winapi/internal/WinEditControl.h"

#include <algorithm>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlSupport.h"
#include "winapi/internal/WinTextRules.h"

namespace {
char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}
char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

void Clamp(WinEditControl& state, size_t length) {
    state.selectionStart = std::min(state.selectionStart, length);
    state.selectionEnd = std::min(state.selectionEnd, length);
    if (state.selectionStart > state.selectionEnd) std::swap(state.selectionStart, state.selectionEnd);
}
} // namespace

LRESULT CALLBACK WinEditControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        WinControlSupport::Attach<WinEditControl>(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto object = WinControlSupport::Window(window);
    auto* state = WinControlSupport::Of<WinEditControl>(object);
    LRESULT result = 0;
    if (state == nullptr || WinControlSupport::HandleFont(window, message, wParam, result)) return result;
    const size_t length = WinControlSupport::Text(window).size();
    switch (message) {
    case WM_SETTEXT:
        DefWindowProcW(window, message, wParam, lParam);
        state->selectionStart = state->selectionEnd = 0;
        state->modified = false;
        if ((WinControlSupport::Style(window) & ES_MULTILINE) == 0) Changed(window);
        return TRUE;
    case WM_CHAR:
        TypeCharacter(window, *state, static_cast<char16_t>(wParam));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_DELETE && (WinControlSupport::Style(window) & ES_READONLY) == 0) {
            if (state->selectionStart == state->selectionEnd && state->selectionEnd < length)
                ++state->selectionEnd;
            ReplaceSelection(window, *state, {}, true);
        } else if (wParam == VK_HOME || wParam == VK_END) {
            state->selectionStart = state->selectionEnd = wParam == VK_HOME ? 0 : length;
        } else if (wParam == VK_LEFT && state->selectionStart > 0) {
            state->selectionEnd = --state->selectionStart;
        } else if (wParam == VK_RIGHT) {
            state->selectionStart = state->selectionEnd = std::min(state->selectionEnd + 1, length);
        }
        return 0;
    case EM_REPLACESEL:
        if (ReplaceSelection(window, *state, std::u16string(WinText::View(reinterpret_cast<LPCWSTR>(lParam))),
                             false))
            state->modified = true;
        return 0;
    case EM_GETSEL:
        Clamp(*state, length);
        if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(state->selectionStart);
        if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(state->selectionEnd);
        return MAKELRESULT(static_cast<WORD>(std::min<size_t>(state->selectionStart, 0xFFFF)),
                           static_cast<WORD>(std::min<size_t>(state->selectionEnd, 0xFFFF)));
    case EM_SETSEL: {
        const auto start = static_cast<LONG>(wParam), end = static_cast<LONG>(lParam);
        if (start < 0) {
            state->selectionStart = state->selectionEnd;
        } else {
            state->selectionStart = static_cast<size_t>(start);
            state->selectionEnd = end < 0 ? length : static_cast<size_t>(end);
        }
        Clamp(*state, length);
        return 0;
    }
    case EM_GETMODIFY:
        return state->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        state->modified = wParam != 0;
        return 0;
    case EM_LIMITTEXT:
        state->limit = wParam == 0 ? 0x7FFFFFFE : static_cast<size_t>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(state->limit);
    case EM_SETREADONLY: {
        const DWORD style = WinControlSupport::Style(window);
        WinControlSupport::SetStyle(window, wParam != 0 ? style | ES_READONLY : style & ~ES_READONLY);
        return TRUE;
    }
    case EM_SETBKGNDCOLOR: {
        const LRESULT previous =
            state->systemBackground ? static_cast<LRESULT>(CLR_INVALID) : state->background;
        state->systemBackground = wParam != 0;
        state->background = static_cast<COLORREF>(lParam);
        return previous;
    }
    case WM_LBUTTONDOWN:
        if (IsWindowEnabled(window)) SetFocus(window);
        return 0;
    case WM_SETFOCUS:
        WinControlSupport::NotifyParent(window, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        WinControlSupport::NotifyParent(window, EN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_PRINTCLIENT:
        WinControlPainter::PaintEdit(window, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void WinEditControl::TypeCharacter(HWND window, WinEditControl& state, char16_t character) {
    const DWORD style = WinControlSupport::Style(window);
    if ((style & ES_READONLY) != 0) return;
    if (character == VK_BACK) {
        Clamp(state, WinControlSupport::Text(window).size());
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

bool WinEditControl::ReplaceSelection(HWND window, WinEditControl& state, std::u16string insert, bool typed) {
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

void WinEditControl::Changed(HWND window) {
    WinControlSupport::NotifyParent(window, EN_UPDATE);
    WinControlSupport::NotifyParent(window, EN_CHANGE);
}
