// Fuzz target: the loader of a setup picture's JPEG pair. The input is one
// byte choosing the maximum size (the side image's, the product logo's or
// the maker logo's), a 16-bit little-endian length of the colour file, the
// colour file, and the mask file (none when empty). Both are written on a
// scratch machine and loaded as the setup loads them. Any input must load
// or count as missing without crashing; a picture must fit its maximum and
// hold exactly its pixels.
#include "platform/Machine.h"
#include "platform/ui/DisplayBackend.h"
#include "platform/ui/MessageBoxLog.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "setup/LoadImagePicture.h"
#include "setup/SetupImagePlacement.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace {

std::string MachineRoot() {
    static std::string root = [] {
        char pattern[] = "/tmp/kiv-fuzz-jpeg-XXXXXX";
        std::string made = mkdtemp(pattern) ? pattern : "/tmp/kiv-fuzz-jpeg";
        std::string error;
        if (!Machine::Create(made, MachineSettings(), &error) || !Machine::Use(made))
            std::abort();
        SetDisplayBackend(std::make_unique<HeadlessBackend>());
        return made;
    }();
    return root;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::remove(path.c_str());
    if (size == 0)
        return;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string root = MachineRoot();
    if (size < 3)
        return 0;
    const SIZE maxima[] = {kLeftImageSize, kProductLogoSize, kMakerLogoSize};
    const SIZE maximum = maxima[data[0] % 3];
    const std::size_t colourSize = std::min<std::size_t>(data[1] | data[2] << 8, size - 3);
    WriteFile(root + "/drive_c/pair_rgb.jpg", data + 3, colourSize);
    WriteFile(root + "/drive_c/pair_alp.jpg", data + 3 + colourSize, size - 3 - colourSize);

    int width = maximum.cx, height = maximum.cy;
    const auto picture = LoadImagePicture(u"C:\\pair", &width, &height);
    MessageBoxLog::Clear();
    if (!picture)
        return 0;
    if (width < 1 || height < 1 || width > maximum.cx || height > maximum.cy ||
        picture->width != width || picture->height != height ||
        picture->pixels.size() != 4u * static_cast<std::size_t>(width) * height)
        std::abort();
    return 0;
}
