// Copies a rectangle of a 32-bit top-down pixel buffer onto a window's
// device context, at the same place in client coordinates.
#pragma once

#include "platform/WinUser.h"

void KIVCopyPixels(HDC dc, const DWORD* pixels, int width, int height, const RECT& rect);
