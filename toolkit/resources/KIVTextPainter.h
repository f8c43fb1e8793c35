// KIVTextPainter: measures and draws a line of text with a bitmap font into
// a 32-bit off-screen buffer.
//
// A text's width is the sum of its characters' advance widths (KIVFont
// chooses the extension or "?" for characters above 255). A tab advances to
// the next multiple of 50 pixels from the start of the line, and by 50 more
// when that step would be narrower than a blank.
//
// Drawing blends the colour into the pixels through each glyph's coverage B:
// each of the pixel's first three bytes p becomes (c x B + p x (255 - B)) /
// 256 for the colour's byte c, and c itself when B is 255; the fourth byte is
// kept. Pixels of coverage 0 are left alone. The colour's bytes are in the
// pixels' own order (byte 0 blends into byte 0).
#pragma once

#include "toolkit/resources/KIVDrawBuffer.h"
#include "toolkit/resources/KIVFont.h"

class KIVTextPainter {
public:
    enum Option {
        kCentre = 2,   // centre the text in the area's width
        kRight = 4,    // align the text to the area's right edge
        kInvert = 8,   // use 255 - coverage
        kMultiply = 16 // the colour byte becomes pixel x colour / 255 before blending
    };
    static constexpr int kTabStep = 50;

    // The width of length characters of text (up to the first zero when
    // length is negative).
    static int MeasureText(const KIVFont& font, const char16_t* text, int length);
    // Draws the text with its top-left corner at (x, y) in an area of the
    // given width; stops before the first character that would pass the
    // area's right edge. transparency (0..255, 255 opaque) scales every
    // coverage value. Returns the x after the last character drawn.
    static int DrawText(const KIVDrawBuffer& buffer, const KIVFont& font, const char16_t* text,
                        int length, int x, int y, int width, DWORD colour, int options,
                        int transparency = 255);

    // The x of the character after one at pen (relative to the line start).
    static int NextPen(const KIVFont& font, char16_t ch, int pen);
    // One pixel's new value for coverage B (already inverted and scaled).
    static DWORD Blend(DWORD pixel, DWORD colour, int coverage, bool multiply);
};
