#include "winapi/internal/WinScrollBarControl.h"

#include <algorithm>

#include "winapi/WinError.h"
#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlProcedure.h"

int WinScrollBarControl::Clamp(int value) const {
    long long high = maximum;
    if (page > 0) high = std::max<long long>(minimum, static_cast<long long>(maximum) - page + 1);
    return static_cast<int>(std::clamp<long long>(value, minimum, high));
}

namespace {
using Call = WinControlCall<WinScrollBarControl>;

LRESULT SetScrollInfoMessage(const Call& call) {
    WinScrollBarControl& state = call.state;
    const auto* info = reinterpret_cast<const SCROLLINFO*>(call.lParam);
    if (info == nullptr || info->cbSize < sizeof(SCROLLINFO)) return state.position;
    if ((info->fMask & SIF_RANGE) != 0) {
        state.minimum = info->nMin;
        state.maximum = std::max(info->nMax, info->nMin);
    }
    if ((info->fMask & SIF_PAGE) != 0)
        state.page = std::min<UINT>(info->nPage, static_cast<UINT>(state.maximum - state.minimum + 1));
    if ((info->fMask & SIF_POS) != 0) state.position = info->nPos;
    state.position = state.Clamp(state.position);
    return state.position;
}

LRESULT GetScrollInfoMessage(const Call& call) {
    const WinScrollBarControl& state = call.state;
    auto* info = reinterpret_cast<SCROLLINFO*>(call.lParam);
    if (info == nullptr || info->cbSize < sizeof(SCROLLINFO)) return FALSE;
    if ((info->fMask & SIF_RANGE) != 0) {
        info->nMin = state.minimum;
        info->nMax = state.maximum;
    }
    if ((info->fMask & SIF_PAGE) != 0) info->nPage = state.page;
    if ((info->fMask & SIF_POS) != 0) info->nPos = state.position;
    if ((info->fMask & SIF_TRACKPOS) != 0) info->nTrackPos = state.trackPosition;
    return TRUE;
}

LRESULT SetPosition(const Call& call) {
    const int previous = call.state.position;
    call.state.position = call.state.Clamp(static_cast<int>(call.wParam));
    return previous;
}

LRESULT GetPosition(const Call& call) {
    return call.state.position;
}

LRESULT SetRange(const Call& call) {
    WinScrollBarControl& state = call.state;
    const int previous = state.position;
    state.minimum = static_cast<int>(call.wParam);
    state.maximum = std::max(static_cast<int>(call.lParam), state.minimum);
    state.position = state.Clamp(state.position);
    return previous;
}

LRESULT GetRange(const Call& call) {
    if (call.wParam != 0) *reinterpret_cast<int*>(call.wParam) = call.state.minimum;
    if (call.lParam != 0) *reinterpret_cast<int*>(call.lParam) = call.state.maximum;
    return 0;
}

// The user scrolls (WinControlSupport::UserScrollMessage: wParam the code,
// lParam the thumb position); the parent moves the scroll bar.
LRESULT UserScroll(const Call& call) {
    const HWND parent = WinControlSupport::Parent(call.window);
    if (parent == nullptr) return FALSE;
    const auto code = static_cast<WORD>(call.wParam);
    if (code == SB_THUMBTRACK) call.state.trackPosition = static_cast<int>(call.lParam);
    const UINT scroll = (WinControlSupport::Style(call.window) & SBS_VERT) != 0 ? WM_VSCROLL : WM_HSCROLL;
    const WORD thumb = code == SB_THUMBPOSITION || code == SB_THUMBTRACK ? static_cast<WORD>(call.lParam) : 0;
    SendMessageW(parent, scroll, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(call.window));
    SendMessageW(parent, scroll, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(call.window));
    return TRUE;
}

constexpr WinControlRow<WinScrollBarControl> kRows[] = {
    {SBM_SETSCROLLINFO, SetScrollInfoMessage},
    {SBM_GETSCROLLINFO, GetScrollInfoMessage},
    {SBM_SETPOS, SetPosition},
    {SBM_GETPOS, GetPosition},
    {SBM_SETRANGE, SetRange},
    {SBM_GETRANGE, GetRange},
    {WM_PRINTCLIENT, WinControlPaint<WinScrollBarControl, WinControlPainter::PaintScrollBar>},
    {WinControlSupport::UserScrollMessage, UserScroll},
};

bool IsScrollBar(HWND window, int bar) {
    if (bar != SB_CTL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    auto object = WinControlSupport::Window(window);
    return WinControlSupport::Of<WinScrollBarControl>(object) != nullptr;
}
} // namespace

LRESULT CALLBACK WinScrollBarControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WinControlProcedure<WinScrollBarControl>(kRows, window, message, wParam, lParam);
}

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
