// PNG files of 32-bit BGRA pixel images, through libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height BGRA pixels (rows top down) as an 8-bit RGB PNG; the
// fourth byte is dropped. False when the file cannot be written.
bool WritePng(const std::string& hostPath, const std::uint32_t* pixels, int width, int height);

// Reads any PNG back as BGRA pixels with the fourth byte 0 (transparency is
// dropped, as the screen has none). False for a file that is missing or not
// a PNG, or larger than 16384 pixels a side.
bool ReadPng(const std::string& hostPath, std::vector<std::uint32_t>* pixels, int* width,
             int* height);
