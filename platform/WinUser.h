// The window-manager part of the Win32 subset, as <winuser.h> would give it.
// So far: the rectangle helpers that the toolkit's drawing requests use.
#pragma once

#include "platform/WinTypes.h"

// [SECTION] Rectangles
// Edges in pixels; right and bottom lie just outside the rectangle.
typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;
typedef const RECT* LPCRECT;

// Sets all four edges of a rectangle to 0. FALSE for a null pointer.
BOOL SetRectEmpty(LPRECT lprc);

// Whether a rectangle has no area: its right edge is not right of its left
// edge, or its bottom edge not below its top edge. TRUE for a null pointer.
BOOL IsRectEmpty(LPCRECT lprc);

// The smallest rectangle holding both sources into lprcDst, which may be one
// of them. An empty source is left out; when both are empty the result is
// emptied and the call returns FALSE. FALSE for a null pointer.
BOOL UnionRect(LPRECT lprcDst, LPCRECT lprcSrc1, LPCRECT lprcSrc2);
