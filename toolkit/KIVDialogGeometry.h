// Where a dialog's layout puts its window and its controls: the margins of
// the client area and the window's place on the screen.
#pragma once

#include "platform/WinUser.h"

// The layout's margins; -1 takes the default: left 12 with flag 0x1, else
// 0; top 14 with flag 0x2, else 0, and 6 more with flag 0x1.
void KIVDialogMargins(LONG left, LONG top, LONG flags, LONG* leftMargin, LONG* topMargin);

// The window's top-left corner for a layout of size width x height at
// (x, y). With flag 0x4000 and a parent, (x, y) is taken from the parent's
// top-left and the window is brought back inside the work area: past the
// right or bottom edge it goes to the parent's other side (back by its
// size plus twice its offset); before the left or top edge it is centred
// in the work area. With 0x2000 (or 0x4000 without a parent) it is centred
// on the full-screen area (fullScreen's right and bottom are its size).
POINT KIVPlaceDialog(LONG x, LONG y, LONG width, LONG height, LONG flags, const RECT* parent,
                     const RECT& workArea, const RECT& fullScreen);
