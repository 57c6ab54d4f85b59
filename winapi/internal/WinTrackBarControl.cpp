#include "winapi/internal/WinTrackBarControl.h"

#include <algorithm>

#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlProcedure.h"

int WinTrackBarControl::Clamp(int value) const {
    return std::clamp(value, minimum, std::max(minimum, maximum));
}

namespace {
using Call = WinControlCall<WinTrackBarControl>;

// The thumb moved by a user's scroll code; false for a code a track bar
// does not know.
bool Move(WinTrackBarControl& state, WORD code, LPARAM position) {
    switch (code) {
    case TB_LINEUP:
        state.position = state.Clamp(state.position - state.line);
        return true;
    case TB_LINEDOWN:
        state.position = state.Clamp(state.position + state.line);
        return true;
    case TB_PAGEUP:
        state.position = state.Clamp(state.position - state.page);
        return true;
    case TB_PAGEDOWN:
        state.position = state.Clamp(state.position + state.page);
        return true;
    case TB_THUMBPOSITION:
    case TB_THUMBTRACK:
        state.position = state.Clamp(static_cast<int>(position));
        return true;
    case TB_TOP:
        state.position = state.minimum;
        return true;
    case TB_BOTTOM:
        state.position = state.maximum;
        return true;
    default:
        return false;
    }
}

LRESULT GetPosition(const Call& call) {
    return call.state.position;
}

LRESULT GetRangeMinimum(const Call& call) {
    return call.state.minimum;
}

LRESULT GetRangeMaximum(const Call& call) {
    return call.state.maximum;
}

LRESULT SetPosition(const Call& call) {
    call.state.position = call.state.Clamp(static_cast<int>(call.lParam));
    return 0;
}

LRESULT SetRange(const Call& call) {
    WinTrackBarControl& state = call.state;
    if (call.message == TBM_SETRANGE) {
        state.minimum = static_cast<SHORT>(LOWORD(static_cast<DWORD>(call.lParam)));
        state.maximum = static_cast<SHORT>(HIWORD(static_cast<DWORD>(call.lParam)));
    } else {
        (call.message == TBM_SETRANGEMIN ? state.minimum : state.maximum) = static_cast<int>(call.lParam);
    }
    state.position = state.Clamp(state.position);
    return 0;
}

// TBM_SETPAGESIZE and TBM_SETLINESIZE answer the size before.
LRESULT SetStep(const Call& call) {
    int& step = call.message == TBM_SETPAGESIZE ? call.state.page : call.state.line;
    const int previous = step;
    step = static_cast<int>(call.lParam);
    return previous;
}

LRESULT SetTickFrequency(const Call& call) {
    call.state.tickFrequency = std::max(1, static_cast<int>(call.wParam));
    return 0;
}

LRESULT GetPageSize(const Call& call) {
    return call.state.page;
}

LRESULT GetLineSize(const Call& call) {
    return call.state.line;
}

// The user moves the thumb (WinControlSupport::UserScrollMessage: wParam
// the code, lParam the position): it moves, then the parent is told.
LRESULT UserScroll(const Call& call) {
    const auto code = static_cast<WORD>(call.wParam);
    if (!Move(call.state, code, call.lParam)) return FALSE;
    const HWND parent = WinControlSupport::Parent(call.window);
    if (parent == nullptr) return TRUE;
    const UINT scroll = (WinControlSupport::Style(call.window) & TBS_VERT) != 0 ? WM_VSCROLL : WM_HSCROLL;
    const WORD thumb =
        code == TB_THUMBPOSITION || code == TB_THUMBTRACK ? static_cast<WORD>(call.state.position) : 0;
    SendMessageW(parent, scroll, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(call.window));
    SendMessageW(parent, scroll, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(call.window));
    return TRUE;
}

constexpr WinControlRow<WinTrackBarControl> kRows[] = {
    {TBM_GETPOS, GetPosition},
    {TBM_GETRANGEMIN, GetRangeMinimum},
    {TBM_GETRANGEMAX, GetRangeMaximum},
    {TBM_SETPOS, SetPosition},
    {TBM_SETRANGE, SetRange},
    {TBM_SETRANGEMIN, SetRange},
    {TBM_SETRANGEMAX, SetRange},
    {TBM_SETPAGESIZE, SetStep},
    {TBM_GETPAGESIZE, GetPageSize},
    {TBM_SETLINESIZE, SetStep},
    {TBM_GETLINESIZE, GetLineSize},
    {TBM_SETTICFREQ, SetTickFrequency},
    {WM_PRINTCLIENT, WinControlPaint<WinTrackBarControl, WinControlPainter::PaintTrackBar>},
    {WinControlSupport::UserScrollMessage, UserScroll},
};
} // namespace

LRESULT CALLBACK WinTrackBarControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WinControlProcedure<WinTrackBarControl>(kRows, window, message, wParam, lParam);
}
