#include "setup/LoadImagePair.h"

#include "setup/LoadJpegFitted.h"
#include "toolkit/KIVFileStream.h"
#include "toolkit/KIVString.h"

#include <algorithm>

namespace {

// A mask of maskWidth x maskHeight laid over a white (visible) buffer of the
// colour's size, top rows on top rows. Rows are bottom-up in both.
std::vector<unsigned char> Widened(const std::vector<unsigned char>& mask, int maskWidth,
                                   int maskHeight, int width, int height) {
    std::vector<unsigned char> out(3 * static_cast<std::size_t>(width) * height, 255);
    const std::size_t in = 3 * static_cast<std::size_t>(maskWidth);
    for (int y = 0; y < maskHeight; ++y)
        std::copy_n(&mask[in * static_cast<std::size_t>(maskHeight - 1 - y)], in,
                    &out[3 * static_cast<std::size_t>(width) * (height - 1 - y)]);
    return out;
}

} // namespace

bool LoadImagePair(const char16_t* basePath, int* width, int* height,
                   std::vector<unsigned char>* colour, std::vector<unsigned char>* mask) {
    const KIVString colourName = KIVString(basePath) + u"_rgb.jpg";
    const KIVString maskName = KIVString(basePath) + u"_alp.jpg";
    mask->clear();
    if (!KIVFileStream::Exists(colourName) || !LoadJpegFitted(colourName, colour, height, width))
        return false;
    int maskWidth = *width, maskHeight = *height;
    if (!KIVFileStream::Exists(maskName) ||
        !LoadJpegFitted(maskName, mask, &maskHeight, &maskWidth))
        return true;
    if (maskWidth != *width || maskHeight != *height)
        *mask = Widened(*mask, maskWidth, maskHeight, *width, *height);
    return true;
}
