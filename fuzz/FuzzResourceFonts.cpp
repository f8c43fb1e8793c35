// Fuzz target: the font file reader and text drawing with what it read. A
// font read from any bytes draws only inside the buffer and its clip.
#include "toolkit/resources/KIVFont.h"
#include "toolkit/resources/KIVMemorySource.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const KIVMemorySource file(data, size);
    for (bool japanese : {false, true}) {
        auto font = KIVFont::Load(file, japanese ? 1 : 0, japanese);
        if (!font)
            continue;
        std::vector<DWORD> pixels(40 * 12, 0x01010101);
        KIVDrawBuffer buffer{pixels.data(), 32, 10, 40, {2, 1, 30, 9}};
        KIVTextPainter::DrawText(buffer, *font, u"Ag\t?\u3042\uFF21\uE000x", -1, -5, -3, 60,
                                 0x00FF8040, KIVTextPainter::kCentre | KIVTextPainter::kInvert);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 40; ++x)
                if (!buffer.MayDraw(x, y) &&
                    pixels[static_cast<std::size_t>(y * 40 + x)] != 0x01010101)
                    std::abort();
    }
    return 0;
}
