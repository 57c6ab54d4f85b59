#include "winapi/WinGeometry.h"

#include <algorithm>

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (rect == nullptr) return FALSE;
    *rect = {left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT destination, const RECT* source) {
    if (destination == nullptr || source == nullptr) return FALSE;
    *destination = *source;
    return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (rect == nullptr) return FALSE;
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
    if (rect == nullptr) return FALSE;
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
    return rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL IntersectRect(LPRECT destination, const RECT* a, const RECT* b) {
    if (destination == nullptr) return FALSE;
    if (IsRectEmpty(a) || IsRectEmpty(b) || a->left >= b->right || b->left >= a->right ||
        a->top >= b->bottom || b->top >= a->bottom) {
        SetRectEmpty(destination);
        return FALSE;
    }
    *destination = {std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                    std::min(a->bottom, b->bottom)};
    return TRUE;
}

BOOL UnionRect(LPRECT destination, const RECT* a, const RECT* b) {
    if (destination == nullptr) return FALSE;
    const bool emptyA = IsRectEmpty(a), emptyB = IsRectEmpty(b);
    if (emptyA && emptyB) {
        SetRectEmpty(destination);
        return FALSE;
    }
    if (emptyA) return CopyRect(destination, b);
    if (emptyB) return CopyRect(destination, a);
    *destination = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                    std::max(a->bottom, b->bottom)};
    return TRUE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    return a != nullptr && b != nullptr && a->left == b->left && a->top == b->top && a->right == b->right &&
           a->bottom == b->bottom;
}

BOOL PtInRect(const RECT* rect, POINT point) {
    return rect != nullptr && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
           point.y < rect->bottom;
}
