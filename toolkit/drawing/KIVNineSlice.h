// A picture stretched over a rectangle by its nine parts: the four corners
// (corner x corner pixels) drawn as they are, the edges between them and the
// middle repeated. Used for frames that fit any size, such as the
// decorations a dialog draws around its command buttons.
#pragma once

#include "toolkit/resources/KIVBitmapFile.h"
#include "toolkit/resources/KIVDrawBuffer.h"

void KIVDrawNineSlice(const KIVDrawBuffer& buffer, const KIVBitmapFrame& frame, const RECT& rect,
                      int corner);
