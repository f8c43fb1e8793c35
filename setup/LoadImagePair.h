// LoadImagePair: the two JPEG files of one setup picture, "<base>_rgb.jpg"
// (the colour) and the optional "<base>_alp.jpg" (the mask), decoded and
// fitted: the colour into the maximum size, the mask into the colour's
// fitted size.
#pragma once

#include <vector>

// width and height hold the maximum on entry and the colour's fitted size
// on return. colour receives width x height x 3 bytes (see LoadJpegFitted);
// mask the same size, or nothing when the mask file is missing or cannot be
// decoded. A mask that fits to a smaller size than the colour covers the
// colour's top-left part; the rest stays visible. False when the colour file
// is missing or cannot be decoded.
bool LoadImagePair(const char16_t* basePath, int* width, int* height,
                   std::vector<unsigned char>* colour, std::vector<unsigned char>* mask);
