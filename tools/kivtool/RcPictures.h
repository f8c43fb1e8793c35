// Pictures for kivtool rc: PNG files in the language's "pictures" folder,
// named by bitmap identifier. "12.png" is bitmap 12 with one frame;
// "12.v4.png" holds four frames stacked vertically, "12.h4.png" four side by
// side. A grey or palette PNG gives an 8-bit record (the grey value or the
// palette index, flag 4); any other a 32-bit record (bytes B, G, R, A).
#pragma once

#include "tools/kivtool/RcSource.h"

#include <map>

using RcRecords = std::map<std::int32_t, std::vector<std::uint8_t>>;

struct RcPng {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool eightBit = false;
    std::vector<std::uint8_t> pixels; // rows of width x (1 or 4) bytes, no padding
};

// Reads a PNG file; false with the reason in *problem.
bool ReadPng(const std::string& path, RcPng* png, std::string* problem);
// The bitmap records of every picture of the folder (none when it is missing).
bool CompilePictures(const std::string& folder, RcRecords* records, RcError* error);
