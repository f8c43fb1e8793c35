// KIVDrawBuffer: a 32-bit off-screen pixel buffer as the drawing code sees
// it. The pixels belong to the owner (a dialog, a test); drawing writes only
// inside both the buffer and the clip rectangle (right and bottom exclusive).
#pragma once

#include "platform/WinUser.h"

struct KIVDrawBuffer {
    DWORD* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // pixels from the start of one row to the next
    RECT clip = {};

    // Whether the pixel (x, y) may be drawn.
    bool MayDraw(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && x >= clip.left && x < clip.right &&
               y >= clip.top && y < clip.bottom;
    }
    DWORD* At(int x, int y) const { return pixels + static_cast<long>(y) * stride + x; }
};
