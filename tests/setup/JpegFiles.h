// JPEG files for the setup images' tests, written with libjpeg's own
// compressor at full quality without chroma subsampling, so that flat areas
// come back within a few levels of what was written; and reads of the
// decoded buffers (B, G, R, rows bottom-up).
#pragma once

#include "HostFiles.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

using Rgb = std::array<int, 3>;
using RgbAt = std::function<Rgb(int x, int y)>;

// components 3: colour from rgb; 1: greyscale from its red.
inline void WriteJpeg(const std::filesystem::path& path, int width, int height, const RgbAt& rgb,
                      int components = 3) {
    std::filesystem::create_directories(path.parent_path());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    for (int i = 0; i < info.num_components; ++i)
        info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width * components));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                row[static_cast<std::size_t>(x * components + c)] =
                    static_cast<JSAMPLE>(rgb(x, y)[static_cast<std::size_t>(c)]);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

inline RgbAt Flat(Rgb colour) {
    return [colour](int, int) { return colour; };
}

// Pixel (x, y), counted from the top-left, of a fitted buffer as R, G, B.
inline Rgb PixelAt(const std::vector<unsigned char>& buffer, int width, int height, int x, int y) {
    const std::size_t i = 3 * (static_cast<std::size_t>(height - 1 - y) * width + x);
    return {buffer[i + 2], buffer[i + 1], buffer[i]};
}

// Whether two colours are within the few levels JPEG changes flat areas by.
inline bool Near(const Rgb& a, const Rgb& b) {
    for (std::size_t c = 0; c < 3; ++c)
        if (std::abs(a[c] - b[c]) > 4)
            return false;
    return true;
}

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255},
    kBlack{0, 0, 0};

// Four flat quadrants: red top-left, green top-right, blue bottom-left,
// white bottom-right.
inline RgbAt Quadrants(int width, int height) {
    return [width, height](int x, int y) {
        const bool right = x >= width / 2, bottom = y >= height / 2;
        return bottom ? (right ? kWhite : kBlue) : (right ? kGreen : kRed);
    };
}
