#pragma once
// Handles and colours of the drawing stand-in. Every GDI object (pen, brush,
// font, bitmap, region) is an opaque pointer-sized handle; colours are
// COLORREF values 0x00BBGGRR. Palette-relative colours (0x02BBGGRR) are
// drawn as the RGB value they carry.
#include "winapi/WinGdi.h"
#include "winapi/WinTypes.h"

// Any GDI object: every kind of handle converts to it, as with Windows.
using HGDIOBJ = void*;
struct HPEN__;
using HPEN = HPEN__*;
struct HBRUSH__;
using HBRUSH = HBRUSH__*;
struct HFONT__;
using HFONT = HFONT__*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HRGN__;
using HRGN = HRGN__*;

using COLORREF = DWORD;
using LPCOLORREF = COLORREF*;

constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
           (static_cast<COLORREF>(blue) << 16);
}
constexpr COLORREF PALETTERGB(BYTE red, BYTE green, BYTE blue) {
    return 0x02000000 | RGB(red, green, blue);
}
constexpr BYTE GetRValue(COLORREF color) {
    return static_cast<BYTE>(color & 0xFF);
}
constexpr BYTE GetGValue(COLORREF color) {
    return static_cast<BYTE>((color >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF color) {
    return static_cast<BYTE>((color >> 16) & 0xFF);
}
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
