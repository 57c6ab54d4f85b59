#include "winapi/internal/WinTrackBarControl.h"

#include <algorithm>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlSupport.h"

int WinTrackBarControl::Clamp(int value) const {
    return std::clamp(value, minimum, std::max(minimum, maximum));
}

LRESULT CALLBACK WinTrackBarControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        WinControlSupport::Attach<WinTrackBarControl>(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto object = WinControlSupport::Window(window);
    auto* state = WinControlSupport::Of<WinTrackBarControl>(object);
    if (state == nullptr) return 0;
    switch (message) {
    case TBM_GETPOS:
        return state->position;
    case TBM_GETRANGEMIN:
        return state->minimum;
    case TBM_GETRANGEMAX:
        return state->maximum;
    case TBM_SETPOS:
        state->position = state->Clamp(static_cast<int>(lParam));
        return 0;
    case TBM_SETRANGE:
        state->minimum = static_cast<SHORT>(LOWORD(static_cast<DWORD>(lParam)));
        state->maximum = static_cast<SHORT>(HIWORD(static_cast<DWORD>(lParam)));
        state->position = state->Clamp(state->position);
        return 0;
    case TBM_SETRANGEMIN:
        state->minimum = static_cast<int>(lParam);
        state->position = state->Clamp(state->position);
        return 0;
    case TBM_SETRANGEMAX:
        state->maximum = static_cast<int>(lParam);
        state->position = state->Clamp(state->position);
        return 0;
    case TBM_SETPAGESIZE: {
        const int previous = state->page;
        state->page = static_cast<int>(lParam);
        return previous;
    }
    case TBM_GETPAGESIZE:
        return state->page;
    case TBM_SETLINESIZE: {
        const int previous = state->line;
        state->line = static_cast<int>(lParam);
        return previous;
    }
    case TBM_GETLINESIZE:
        return state->line;
    case WM_PRINTCLIENT:
        WinControlPainter::PaintTrackBar(window, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        break;
    }
    if (message == WinControlSupport::UserScrollMessage()) {
        const auto code = static_cast<WORD>(wParam);
        switch (code) {
        case TB_LINEUP:
            state->position = state->Clamp(state->position - state->line);
            break;
        case TB_LINEDOWN:
            state->position = state->Clamp(state->position + state->line);
            break;
        case TB_PAGEUP:
            state->position = state->Clamp(state->position - state->page);
            break;
        case TB_PAGEDOWN:
            state->position = state->Clamp(state->position + state->page);
            break;
        case TB_THUMBPOSITION:
        case TB_THUMBTRACK:
            state->position = state->Clamp(static_cast<int>(lParam));
            break;
        case TB_TOP:
            state->position = state->minimum;
            break;
        case TB_BOTTOM:
            state->position = state->maximum;
            break;
        default:
            return FALSE;
        }
        const HWND parent = WinControlSupport::Parent(window);
        if (parent == nullptr) return TRUE;
        const UINT scroll = (WinControlSupport::Style(window) & TBS_VERT) != 0 ? WM_VSCROLL : WM_HSCROLL;
        const WORD thumb =
            code == TB_THUMBPOSITION || code == TB_THUMBTRACK ? static_cast<WORD>(state->position) : 0;
        SendMessageW(parent, scroll, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(window));
        SendMessageW(parent, scroll, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(window));
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
