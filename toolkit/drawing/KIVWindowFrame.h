// KIVWindowFrame: the frame the toolkit draws around a window that is not a
// page of its own (a message box, a question, the folder browser), so that it
// stands out from whatever lies below it and shows its caption the same way
// on every display: a dark outline along the client area's edge and, inside
// it, a title band across the top with the caption in the band's text
// colour. The window's content begins at kContentTop.
#pragma once

#include "toolkit/resources/KIVDrawBuffer.h"
#include "toolkit/resources/KIVFont.h"

class KIVWindowFrame {
public:
    static constexpr int kOutline = 2;     // pixels of the dark edge
    static constexpr int kBandHeight = 24; // the title band below the top edge
    static constexpr int kContentTop = kOutline + kBandHeight;
    static constexpr int kTitleIndent = 8; // the caption's start inside the band

    // Draws the frame over a client area of width x height; the caption in
    // font (none drawn without a font), cut at the band's right end.
    static void Draw(const KIVDrawBuffer& buffer, int width, int height, const char16_t* title,
                     const KIVFont* font);
    // The band's rectangle in a client area of the given width.
    static RECT Band(int width);
};
