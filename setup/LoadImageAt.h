// LoadImageAt: one setup picture loaded and drawn at once onto the
// background window's picture, then discarded (the logos).
#pragma once

#include "toolkit/resources/KIVDrawBuffer.h"

// Draws the picture of basePath (see LoadImagePicture) with its top-left
// corner at (x, y), its mask's transparency applied. width and height hold
// the maximum on entry and the picture's size on return. False, with
// nothing drawn, when there is no picture.
bool LoadImageAt(const KIVDrawBuffer& background, const char16_t* basePath, int x, int y,
                 int* width, int* height);
