#include "setup/LoadJpegFitted.h"

#include "setup/FitImageSize.h"
#include "setup/JpegDecoder.h"

#include <algorithm>

namespace {

// Which source pixels the fitted picture takes. Row r and column c of the
// sampled block come from source row rows[r] and column columns[c] (rows
// counted bottom-up, as stored) and go to (originRow + r, originColumn + c).
struct Sampling {
    std::vector<int> rows, columns;
    int originRow = 0, originColumn = 0;
};

// count = source x (1 / scale), origin = (fitted - source / scale) x 0.5, and
// index i samples i x scale, all truncated; kept inside both pictures.
std::vector<int> Samples(int source, int fitted, float scale, int* origin) {
    *origin = std::max(0, static_cast<int>((fitted - source / scale) * 0.5f));
    const int count = std::min(static_cast<int>(source * (1 / scale)), fitted - *origin);
    std::vector<int> samples(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = std::min(static_cast<int>(static_cast<float>(i) * scale), source - 1);
    return samples;
}

Sampling Plan(SIZE image, SIZE fitted) {
    const float scale =
        std::max({static_cast<float>(image.cx) / static_cast<float>(fitted.cx),
                  static_cast<float>(image.cy) / static_cast<float>(fitted.cy), 1.0f});
    Sampling plan;
    plan.rows = Samples(image.cy, fitted.cy, scale, &plan.originRow);
    plan.columns = Samples(image.cx, fitted.cx, scale, &plan.originColumn);
    return plan;
}

// Copies the sampled pixels of one scanline into a row of the fitted
// picture, turning R, G, B into B, G, R.
void SampleRow(const Sampling& plan, const unsigned char* scanline, unsigned char* row) {
    unsigned char* out = row + 3 * static_cast<std::size_t>(plan.originColumn);
    for (int column : plan.columns) {
        const unsigned char* in = scanline + 3 * static_cast<std::size_t>(column);
        *out++ = in[2];
        *out++ = in[1];
        *out++ = in[0];
    }
}

// Reads every scanline and samples those the plan needs. Scanline k is
// source row height - 1 - k (bottom-up), so the fitted rows are met from
// the last down.
bool Decode(JpegDecoder& decoder, const Sampling& plan, int fittedWidth,
            std::vector<unsigned char>& pixels) {
    std::vector<unsigned char> scanline(3 * static_cast<std::size_t>(decoder.Width()));
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(fittedWidth);
    int next = static_cast<int>(plan.rows.size()) - 1;
    for (int k = 0; k < decoder.Height(); ++k) {
        if (!decoder.ReadScanline(scanline.data()))
            return false;
        const int source = decoder.Height() - 1 - k;
        for (; next >= 0 && plan.rows[static_cast<std::size_t>(next)] == source; --next)
            SampleRow(plan, scanline.data(),
                      pixels.data() + rowBytes * static_cast<std::size_t>(plan.originRow + next));
    }
    return true;
}

} // namespace

bool LoadJpegFitted(const char16_t* path, std::vector<unsigned char>* buffer, int* height,
                    int* width) {
    if (*width <= 0 || *height <= 0)
        return false;
    JpegDecoder decoder(path);
    if (decoder.Failed())
        return false;
    const SIZE fitted =
        FitImageSize(SIZE{decoder.Width(), decoder.Height()}, SIZE{*width, *height});
    std::vector<unsigned char> pixels(3 * static_cast<std::size_t>(fitted.cx) *
                                      static_cast<std::size_t>(fitted.cy));
    if (!Decode(decoder, Plan(SIZE{decoder.Width(), decoder.Height()}, fitted), fitted.cx, pixels))
        return false;
    *buffer = std::move(pixels);
    *width = fitted.cx;
    *height = fitted.cy;
    return true;
}
