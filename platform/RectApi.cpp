// Rectangle helpers of the window manager.
#include "platform/WinUser.h"

#include <algorithm>

BOOL SetRectEmpty(LPRECT lprc) {
    if (!lprc)
        return FALSE;
    *lprc = RECT{0, 0, 0, 0};
    return TRUE;
}

BOOL IsRectEmpty(LPCRECT lprc) {
    return !lprc || lprc->right <= lprc->left || lprc->bottom <= lprc->top;
}

BOOL UnionRect(LPRECT lprcDst, LPCRECT lprcSrc1, LPCRECT lprcSrc2) {
    if (!lprcDst || !lprcSrc1 || !lprcSrc2)
        return FALSE;
    // Copies first: the destination may be one of the sources.
    const RECT first = *lprcSrc1;
    const RECT second = *lprcSrc2;
    if (IsRectEmpty(&first) && IsRectEmpty(&second)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    if (IsRectEmpty(&first)) {
        *lprcDst = second;
        return TRUE;
    }
    if (IsRectEmpty(&second)) {
        *lprcDst = first;
        return TRUE;
    }
    *lprcDst = RECT{std::min(first.left, second.left), std::min(first.top, second.top),
                    std::max(first.right, second.right), std::max(first.bottom, second.bottom)};
    return TRUE;
}

BOOL IntersectRect(LPRECT lprcDst, LPCRECT lprcSrc1, LPCRECT lprcSrc2) {
    if (!lprcDst || !lprcSrc1 || !lprcSrc2)
        return FALSE;
    const RECT overlap{
        std::max(lprcSrc1->left, lprcSrc2->left), std::max(lprcSrc1->top, lprcSrc2->top),
        std::min(lprcSrc1->right, lprcSrc2->right), std::min(lprcSrc1->bottom, lprcSrc2->bottom)};
    if (IsRectEmpty(&overlap)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    *lprcDst = overlap;
    return TRUE;
}

BOOL PtInRect(LPCRECT lprc, POINT pt) {
    return lprc && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top &&
           pt.y < lprc->bottom;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy) {
    if (!lprc)
        return FALSE;
    lprc->left += dx;
    lprc->right += dx;
    lprc->top += dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy) {
    if (!lprc)
        return FALSE;
    lprc->left -= dx;
    lprc->right += dx;
    lprc->top -= dy;
    lprc->bottom += dy;
    return TRUE;
}
