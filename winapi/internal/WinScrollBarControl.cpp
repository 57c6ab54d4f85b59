#include "winapi/internal/WinScrollBarControl.h"

#include <algorithm>

#include "winapi/WinError.h"
#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlSupport.h"

int WinScrollBarControl::Clamp(int value) const {
    long long high = maximum;
    if (page > 0) high = std::max<long long>(minimum, static_cast<long long>(maximum) - page + 1);
    return static_cast<int>(std::clamp<long long>(value, minimum, high));
}

LRESULT CALLBACK WinScrollBarControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        WinControlSupport::Attach<WinScrollBarControl>(window);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto object = WinControlSupport::Window(window);
    auto* state = WinControlSupport::Of<WinScrollBarControl>(object);
    if (state == nullptr) return 0;
    switch (message) {
    case SBM_SETSCROLLINFO: {
        const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
        if (info == nullptr || info->cbSize < sizeof(SCROLLINFO)) return state->position;
        if ((info->fMask & SIF_RANGE) != 0) {
            state->minimum = info->nMin;
            state->maximum = std::max(info->nMax, info->nMin);
        }
        if ((info->fMask & SIF_PAGE) != 0)
            state->page = std::min<UINT>(info->nPage, static_cast<UINT>(state->maximum - state->minimum + 1));
        if ((info->fMask & SIF_POS) != 0) state->position = info->nPos;
        state->position = state->Clamp(state->position);
        return state->position;
    }
    case SBM_GETSCROLLINFO: {
        auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
        if (info == nullptr || info->cbSize < sizeof(SCROLLINFO)) return FALSE;
        if ((info->fMask & SIF_RANGE) != 0) {
            info->nMin = state->minimum;
            info->nMax = state->maximum;
        }
        if ((info->fMask & SIF_PAGE) != 0) info->nPage = state->page;
        if ((info->fMask & SIF_POS) != 0) info->nPos = state->position;
        if ((info->fMask & SIF_TRACKPOS) != 0) info->nTrackPos = state->trackPosition;
        return TRUE;
    }
    case SBM_SETPOS: {
        const int previous = state->position;
        state->position = state->Clamp(static_cast<int>(wParam));
        return previous;
    }
    case SBM_GETPOS:
        return state->position;
    case SBM_SETRANGE: {
        const int previous = state->position;
        state->minimum = static_cast<int>(wParam);
        state->maximum = std::max(static_cast<int>(lParam), state->minimum);
        state->position = state->Clamp(state->position);
        return previous;
    }
    case SBM_GETRANGE:
        if (wParam != 0) *reinterpret_cast<int*>(wParam) = state->minimum;
        if (lParam != 0) *reinterpret_cast<int*>(lParam) = state->maximum;
        return 0;
    case WM_PRINTCLIENT:
        WinControlPainter::PaintScrollBar(window, reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        break;
    }
    if (message == WinControlSupport::UserScrollMessage()) {
        const HWND parent = WinControlSupport::Parent(window);
        if (parent == nullptr) return FALSE;
        const auto code = static_cast<WORD>(wParam);
        if (code == SB_THUMBTRACK) state->trackPosition = static_cast<int>(lParam);
        const UINT scroll = (WinControlSupport::Style(window) & SBS_VERT) != 0 ? WM_VSCROLL : WM_HSCROLL;
        const WORD thumb = code == SB_THUMBPOSITION || code == SB_THUMBTRACK ? static_cast<WORD>(lParam) : 0;
        SendMessageW(parent, scroll, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(window));
        SendMessageW(parent, scroll, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(window));
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

namespace {
bool IsScrollBar(HWND window, int bar) {
    if (bar != SB_CTL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    auto object = WinControlSupport::Window(window);
    return WinControlSupport::Of<WinScrollBarControl>(object) != nullptr;
}
} // namespace

int SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
    if (!IsScrollBar(window, bar)) return 0;
    return static_cast<int>(SendMessageW(window, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info)));
}

BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info) {
    if (!IsScrollBar(window, bar)) return FALSE;
    return static_cast<BOOL>(SendMessageW(window, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
}

int SetScrollPos(HWND window, int bar, int position, BOOL redraw) {
    if (!IsScrollBar(window, bar)) return 0;
    return static_cast<int>(SendMessageW(window, SBM_SETPOS, static_cast<WPARAM>(position), redraw));
}

int GetScrollPos(HWND window, int bar) {
    if (!IsScrollBar(window, bar)) return 0;
    return static_cast<int>(SendMessageW(window, SBM_GETPOS, 0, 0));
}

BOOL SetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL) {
    if (!IsScrollBar(window, bar)) return FALSE;
    SendMessageW(window, SBM_SETRANGE, static_cast<WPARAM>(minimum), maximum);
    return TRUE;
}

BOOL GetScrollRange(HWND window, int bar, int* minimum, int* maximum) {
    if (!IsScrollBar(window, bar)) return FALSE;
    SendMessageW(window, SBM_GETRANGE, reinterpret_cast<WPARAM>(minimum), reinterpret_cast<LPARAM>(maximum));
    return TRUE;
}
