#include "platform/ui/headless/PngFile.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxSide = 16384;

std::uint32_t Bgra(const png_byte* rgb) {
    return static_cast<std::uint32_t>(rgb[2]) | static_cast<std::uint32_t>(rgb[1]) << 8 |
           static_cast<std::uint32_t>(rgb[0]) << 16;
}

} // namespace

bool WritePng(const std::string& hostPath, const std::uint32_t* pixels, int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
        rgb[i * 3] = static_cast<png_byte>(pixels[i] >> 16);
        rgb[i * 3 + 1] = static_cast<png_byte>(pixels[i] >> 8);
        rgb[i * 3 + 2] = static_cast<png_byte>(pixels[i]);
    }
    return png_image_write_to_file(&image, hostPath.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

bool ReadPng(const std::string& hostPath, std::vector<std::uint32_t>* pixels, int* width,
             int* height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, hostPath.c_str()))
        return false;
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide ||
        image.height > kMaxSide) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
        return false;
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    pixels->resize(static_cast<std::size_t>(*width) * *height);
    for (std::size_t i = 0; i < pixels->size(); ++i)
        (*pixels)[i] = Bgra(&rgb[i * 3]);
    return true;
}
