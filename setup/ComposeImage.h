// ComposeImage: a decoded colour picture and its optional mask made into
// one 32-bit toolkit picture. The colour gives blue, green and red; the
// fourth byte is the transparency the toolkit draws with: 255 minus the
// mask pixel's first (blue) byte, or 0 without a mask. So in a mask white is
// visible and black is transparent.
#pragma once

#include "toolkit/resources/KIVBitmapFile.h"

#include <vector>

// colour (and mask, when not empty) hold width x height x 3 bytes, B, G, R,
// rows bottom-up as LoadJpegFitted leaves them; the picture's rows are
// top-down as the toolkit draws them. Both buffers are consumed.
KIVBitmapFrame ComposeImage(std::vector<unsigned char> colour, std::vector<unsigned char> mask,
                            int width, int height);
