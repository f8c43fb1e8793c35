// LoadJpegFitted: decodes a JPEG file fitted into a maximum size (see
// FitImageSize) by nearest-neighbour sampling, without filtering.
//
// The result is 3 bytes a pixel in the order blue, green, red, in rows of
// exactly width x 3 bytes stored bottom-up: the file's first scanline is the
// buffer's last row. A picture scaled down is centred in the fitted size;
// what it does not cover stays black.
#pragma once

#include <vector>

// height and width hold the maximum on entry and the fitted size on return;
// buffer is resized to width x height x 3 bytes. False, leaving all three
// unchanged, when the file does not open, is no JPEG the decoder can read
// to the end, or has a side of 0 or above JpegDecoder::kMaxSide.
bool LoadJpegFitted(const char16_t* path, std::vector<unsigned char>* buffer, int* height,
                    int* width);
