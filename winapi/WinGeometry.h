#pragma once
// Points, sizes and rectangles of the user interface and drawing calls, with
// the rectangle helpers of USER. Rectangles include their left and top edges
// and exclude their right and bottom edges.
#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

struct SIZE {
    LONG cx;
    LONG cy;
};
using LPSIZE = SIZE*;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

QV_WINAPI_API BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
QV_WINAPI_API BOOL SetRectEmpty(LPRECT rect);
QV_WINAPI_API BOOL CopyRect(LPRECT destination, const RECT* source);
QV_WINAPI_API BOOL OffsetRect(LPRECT rect, int dx, int dy);
QV_WINAPI_API BOOL InflateRect(LPRECT rect, int dx, int dy);
// FALSE (and an empty result) when the two do not overlap.
QV_WINAPI_API BOOL IntersectRect(LPRECT destination, const RECT* a, const RECT* b);
QV_WINAPI_API BOOL UnionRect(LPRECT destination, const RECT* a, const RECT* b);
QV_WINAPI_API BOOL IsRectEmpty(const RECT* rect);
QV_WINAPI_API BOOL EqualRect(const RECT* a, const RECT* b);
QV_WINAPI_API BOOL PtInRect(const RECT* rect, POINT point);

// Packing of message parameters.
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<WPARAM>(MAKELONG(low, high));
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
    return static_cast<LPARAM>(MAKELONG(low, high));
}
constexpr LRESULT MAKELRESULT(WORD low, WORD high) {
    return static_cast<LRESULT>(MAKELONG(low, high));
}
// Signed coordinates packed in a message's lParam (mouse messages).
constexpr int GET_X_LPARAM(LPARAM value) {
    return static_cast<SHORT>(LOWORD(static_cast<DWORD>(value)));
}
constexpr int GET_Y_LPARAM(LPARAM value) {
    return static_cast<SHORT>(HIWORD(static_cast<DWORD>(value)));
}
