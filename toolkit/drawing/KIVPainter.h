// KIVPainter: the drawing every control shares, into a dialog's off-screen
// buffer and always inside the buffer's clip rectangle: filled and framed
// rectangles, bevels, the focus rectangle, faded colours, and the pictures
// of the bitmap file.
//
// A 32-bit picture's fourth byte is its transparency t: 0 draws the pixel as
// it is, 255 leaves the buffer alone, and values between make each channel
// (buffer x t + picture x (255 - t)) / 256, rounded down. An 8-bit picture
// is drawn as grey levels. A factor below 1 lets the buffer show through
// that much more (disabled controls draw their pictures with 0.4).
#pragma once

#include "toolkit/resources/KIVBitmapFile.h"
#include "toolkit/resources/KIVDrawBuffer.h"

class KIVPainter {
public:
    static void FillRect(const KIVDrawBuffer& buffer, const RECT& rect, DWORD colour);
    // A one-pixel line along the inside of the rectangle.
    static void FrameRect(const KIVDrawBuffer& buffer, const RECT& rect, DWORD colour);
    // An outline, then the lit and shaded sides inside it: light above and
    // left when raised, below and right when sunken.
    static void Bevel(const KIVDrawBuffer& buffer, const RECT& rect, bool raised);
    // A solid accent line two pixels inside the rectangle.
    static void FocusRect(const KIVDrawBuffer& buffer, const RECT& rect);
    static void HorizontalLine(const KIVDrawBuffer& buffer, int left, int right, int y,
                               DWORD colour);
    static void VerticalLine(const KIVDrawBuffer& buffer, int x, int top, int bottom, DWORD colour);

    // factor x colour + (1 - factor) x background, channel by channel, each
    // product truncated.
    static DWORD Fade(DWORD colour, DWORD background, float factor);

    // Draws a frame with its top-left corner at (x, y); with a colour, every
    // pixel of the frame is drawn in that colour with the pixel's own
    // transparency (the frame's shape only).
    static void DrawFrame(const KIVDrawBuffer& buffer, const KIVBitmapFrame& frame, int x, int y,
                          float factor = 1.0f, const DWORD* colour = nullptr);
    // A frame of a bitmap of the application's bitmap file; false (nothing
    // drawn) when the bitmap or the frame is missing.
    static bool DrawPicture(const KIVDrawBuffer& buffer, int id, int frame, int x, int y,
                            float factor = 1.0f);
    // DrawPicture with every pixel in colour: the picture's shape only.
    static bool DrawPictureIn(const KIVDrawBuffer& buffer, int id, int frame, int x, int y,
                              DWORD colour, float factor = 1.0f);
    // A frame stretched over rect without stretching its pixels: its corners
    // (corner x corner pixels) drawn once, its edges and its middle repeated.
    static void DrawSlicedFrame(const KIVDrawBuffer& buffer, const KIVBitmapFrame& frame,
                                const RECT& rect, int corner, float factor = 1.0f);
    // DrawSlicedFrame with a frame of the bitmap file; false when missing.
    static bool DrawSlicedPicture(const KIVDrawBuffer& buffer, int id, int frame, const RECT& rect,
                                  int corner, float factor = 1.0f);
    // The size of a bitmap's frames; false (0 x 0) when it is missing.
    static bool PictureSize(int id, SIZE* size);
};
