// The two 256-entry lookup tables of the image-drawing code, computed once
// when the application starts: a brightening curve (215 x (i / 255) to the
// power 0.8, plus 40, rounded) and a square-root curve (127 up to 63, then
// 255 x the square root of i / 255, rounded).
#pragma once

#include <array>
#include <cstdint>

struct KIVImageTables {
    std::array<std::uint8_t, 256> brighten{};
    std::array<std::uint8_t, 256> root{};

    static KIVImageTables Compute();
};
