// PNG files read with libpng into the pixel layouts of the bitmap records.
#include "tools/kivtool/RcPictures.h"

#include <csetjmp>
#include <cstdio>
#include <png.h>

namespace {

// Sides as the bitmap reader takes them; the area bounds what a picture may
// cost (64 MiB at 32 bits a pixel) whatever its sides: a small file can
// announce a picture of gigabytes.
constexpr std::uint32_t kMaxSide = 16384;
constexpr std::uint64_t kMaxPixels = std::uint64_t(4096) * 4096;

// Sets libpng's conversions for the record's layout; returns whether the
// picture becomes 8-bit.
bool ChooseLayout(png_structp read, png_infop info) {
    const int type = png_get_color_type(read, info);
    if (png_get_bit_depth(read, info) == 16)
        png_set_strip_16(read);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_PALETTE) {
        if (type == PNG_COLOR_TYPE_GRAY)
            png_set_expand_gray_1_2_4_to_8(read);
        else
            png_set_packing(read);
        return true;
    }
    // The record's fourth byte is a transparency, 0 for a pixel drawn as it
    // is: the PNG's alpha (255 opaque) is stored inverted, and a picture
    // without alpha gets 0.
    const bool alpha = (type & PNG_COLOR_MASK_ALPHA) || png_get_valid(read, info, PNG_INFO_tRNS);
    if (png_get_valid(read, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(read);
    if (type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(read);
    if (alpha)
        png_set_invert_alpha(read);
    else
        png_set_filler(read, 0x00, PNG_FILLER_AFTER);
    png_set_bgr(read);
    return false;
}

// The decoding proper; libpng leaves it with longjmp on damage, so it holds
// no object with a destructor of its own.
bool Decode(std::FILE* file, RcPng* png, std::string* problem) {
    png_structp read = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = read ? png_create_info_struct(read) : nullptr;
    if (!info) {
        png_destroy_read_struct(&read, nullptr, nullptr);
        *problem = "out of memory";
        return false;
    }
    if (setjmp(png_jmpbuf(read))) {
        png_destroy_read_struct(&read, &info, nullptr);
        *problem = "not a readable PNG file";
        return false;
    }
    png_init_io(read, file);
    png_read_info(read, info);
    png->width = png_get_image_width(read, info);
    png->height = png_get_image_height(read, info);
    if (png->width > kMaxSide || png->height > kMaxSide ||
        std::uint64_t(png->width) * png->height > kMaxPixels) {
        png_destroy_read_struct(&read, &info, nullptr);
        *problem = "larger than 16384 pixels a side or 16777216 pixels (4096 x 4096) in all";
        return false;
    }
    png->eightBit = ChooseLayout(read, info);
    png_read_update_info(read, info);
    const std::size_t row = png_get_rowbytes(read, info);
    png->pixels.assign(row * png->height, 0);
    for (std::uint32_t y = 0; y < png->height; ++y)
        png_read_row(read, png->pixels.data() + row * y, nullptr);
    png_read_end(read, nullptr);
    png_destroy_read_struct(&read, &info, nullptr);
    return true;
}

} // namespace

bool ReadPng(const std::string& path, RcPng* png, std::string* problem) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *problem = "cannot open the file";
        return false;
    }
    const bool ok = Decode(file, png, problem);
    std::fclose(file);
    return ok;
}
