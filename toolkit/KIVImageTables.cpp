#include "toolkit/KIVImageTables.h"

#include <cmath>

KIVImageTables KIVImageTables::Compute() {
    KIVImageTables tables;
    for (int i = 0; i < 256; ++i) {
        const double share = i / 255.0;
        tables.brighten[i] = static_cast<std::uint8_t>(std::lround(215.0 * std::pow(share, 0.8)) + 40);
        tables.root[i] =
            static_cast<std::uint8_t>(i <= 63 ? 127 : std::lround(255.0 * std::sqrt(share)));
    }
    return tables;
}
