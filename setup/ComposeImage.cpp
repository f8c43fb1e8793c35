#include "setup/ComposeImage.h"

KIVBitmapFrame ComposeImage(std::vector<unsigned char> colour, std::vector<unsigned char> mask,
                            int width, int height) {
    KIVBitmapFrame picture;
    picture.width = width;
    picture.height = height;
    const std::size_t w = static_cast<std::size_t>(width), h = static_cast<std::size_t>(height);
    picture.pixels.resize(4 * w * h);
    const bool masked = mask.size() == colour.size();
    for (std::size_t y = 0; y < h; ++y) {
        const std::size_t source = 3 * w * (h - 1 - y);
        unsigned char* out = &picture.pixels[4 * w * y];
        for (std::size_t x = 0; x < 3 * w; x += 3, out += 4) {
            out[0] = colour[source + x];
            out[1] = colour[source + x + 1];
            out[2] = colour[source + x + 2];
            out[3] = masked ? static_cast<unsigned char>(255 - mask[source + x]) : 0;
        }
    }
    return picture;
}
