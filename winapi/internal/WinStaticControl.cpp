#include "winapi/internal/WinStaticControl.h"

#include <string>

#include "winapi/WinGdiDraw.h"
#include "winapi/WinIcon.h"
#include "winapi/internal/WinControlPainter.h"
#include "winapi/internal/WinControlProcedure.h"

namespace {
using Call = WinControlCall<WinStaticControl>;

DWORD PictureType(HWND window) {
    return WinControlSupport::Style(window) & SS_TYPEMASK;
}

// The picture's size, (0, 0) when there is none.
SIZE PictureSize(const WinStaticControl& state, DWORD type) {
    BITMAP info{};
    if (type == SS_BITMAP && state.bitmap != nullptr && GetObjectW(state.bitmap, sizeof info, &info) != 0)
        return {info.bmWidth, info.bmHeight};
    ICONINFO icon{};
    if (type != SS_ICON || state.icon == nullptr || !GetIconInfo(state.icon, &icon)) return {0, 0};
    GetObjectW(icon.hbmColor, sizeof info, &info);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    return {info.bmWidth, info.bmHeight};
}

// Without SS_CENTERIMAGE a picture static takes its picture's size.
void FitPicture(HWND window, const WinStaticControl& state) {
    if ((WinControlSupport::Style(window) & SS_CENTERIMAGE) != 0) return;
    const SIZE size = PictureSize(state, PictureType(window));
    if (size.cx == 0) return;
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
}

void ReleaseBitmap(WinStaticControl& state) {
    if (state.ownsBitmap) DeleteObject(state.bitmap);
    state.bitmap = nullptr;
    state.ownsBitmap = false;
}

// An SS_BITMAP static titled "#<number>" shows that bitmap of its module.
LRESULT Create(const Call& call) {
    const std::u16string title = WinControlSupport::Text(call.window);
    if (PictureType(call.window) != SS_BITMAP || title.size() < 2 || title[0] != u'#') return 0;
    UINT id = 0;
    for (size_t i = 1; i < title.size(); ++i) {
        if (title[i] < u'0' || title[i] > u'9') return 0;
        id = id * 10 + (title[i] - u'0');
        if (id > 0xFFFF) return 0;
    }
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(call.window, GWLP_HINSTANCE));
    call.state.bitmap = LoadBitmapW(instance, MAKEINTRESOURCEW(static_cast<WORD>(id)));
    call.state.ownsBitmap = call.state.bitmap != nullptr;
    FitPicture(call.window, call.state);
    return 0;
}

LRESULT Destroy(const Call& call) {
    ReleaseBitmap(call.state);
    return 0;
}

// STM_SETIMAGE, STM_SETICON: the new picture; answers the one before, which
// is the caller's from then on.
LRESULT SetImage(const Call& call) {
    WinStaticControl& state = call.state;
    const bool icon = call.message == STM_SETICON || call.wParam == IMAGE_ICON;
    const LPARAM handle = call.message == STM_SETICON ? static_cast<LPARAM>(call.wParam) : call.lParam;
    if (!icon && call.wParam != IMAGE_BITMAP) return 0;
    LRESULT previous = 0;
    if (icon) {
        previous = reinterpret_cast<LRESULT>(state.icon);
        state.icon = reinterpret_cast<HICON>(handle);
    } else {
        previous = reinterpret_cast<LRESULT>(state.bitmap);
        state.ownsBitmap = false;
        state.bitmap = reinterpret_cast<HBITMAP>(handle);
    }
    FitPicture(call.window, state);
    return previous;
}

LRESULT GetImage(const Call& call) {
    const bool icon = call.message == STM_GETICON || call.wParam == IMAGE_ICON;
    if (!icon && call.wParam != IMAGE_BITMAP) return 0;
    return icon ? reinterpret_cast<LRESULT>(call.state.icon) : reinterpret_cast<LRESULT>(call.state.bitmap);
}

LRESULT ButtonUp(const Call& call) {
    if ((WinControlSupport::Style(call.window) & SS_NOTIFY) != 0 && IsWindowEnabled(call.window))
        WinControlSupport::NotifyParent(call.window, STN_CLICKED);
    return 0;
}

constexpr WinControlRow<WinStaticControl> kRows[] = {
    {WM_CREATE, Create},
    {WM_DESTROY, Destroy},
    {WM_SETFONT, WinControlFont<WinStaticControl>},
    {WM_GETFONT, WinControlFont<WinStaticControl>},
    {STM_SETIMAGE, SetImage},
    {STM_SETICON, SetImage},
    {STM_GETIMAGE, GetImage},
    {STM_GETICON, GetImage},
    {WM_LBUTTONUP, ButtonUp},
    {WM_GETDLGCODE, WinControlAnswer<WinStaticControl, DLGC_STATIC>},
    {WM_PRINTCLIENT, WinControlPaint<WinStaticControl, WinControlPainter::PaintStatic>},
};
} // namespace

LRESULT CALLBACK WinStaticControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WinControlProcedure<WinStaticControl>(kRows, window, message, wParam, lParam);
}
