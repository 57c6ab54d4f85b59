#pragma once
// Icons: a colour picture and a mask of the same size, copied from the
// bitmaps they are made of. Drawn, the mask is ANDed onto the destination
// and the picture XORed over it: the picture shows where the mask is black,
// the destination where the mask is white and the picture black.
#include "winapi/WinApi.h"
#include "winapi/WinGdiDraw.h"
#include "winapi/WinWindow.h"

struct ICONINFO {
    BOOL fIcon;
    DWORD xHotspot;
    DWORD yHotspot;
    HBITMAP hbmMask;
    HBITMAP hbmColor;
};
using PICONINFO = ICONINFO*;

constexpr UINT DI_MASK = 0x1;
constexpr UINT DI_IMAGE = 0x2;
constexpr UINT DI_NORMAL = DI_MASK | DI_IMAGE;

// Both bitmaps are needed and must be of one size.
QV_WINAPI_API HICON CreateIconIndirect(const ICONINFO* info);
QV_WINAPI_API BOOL DestroyIcon(HICON icon);
// New copies of the icon's bitmaps, which the caller deletes.
QV_WINAPI_API BOOL GetIconInfo(HICON icon, PICONINFO info);
// Width and height 0 draw the icon at its own size; other sizes stretch it
// (nearest pixel). No animation steps; the background brush is ignored.
QV_WINAPI_API BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step,
                              HBRUSH background, UINT flags);
QV_WINAPI_API BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
