#include "toolkit/drawing/KIVNineSlice.h"

#include "toolkit/drawing/KIVPainter.h"

#include <algorithm>

namespace {

// The part of a frame from (x, y), width x height pixels.
KIVBitmapFrame Part(const KIVBitmapFrame& frame, int x, int y, int width, int height) {
    KIVBitmapFrame part;
    part.flags = frame.flags;
    part.width = width;
    part.height = height;
    const std::size_t row = KIVBitmapFile::RowBytes(frame.flags, frame.width);
    const std::size_t partRow = KIVBitmapFile::RowBytes(frame.flags, width);
    const std::size_t pixel = frame.IsEightBit() ? 1 : 4;
    part.pixels.assign(partRow * height, 0);
    for (int line = 0; line < height; ++line)
        std::copy_n(&frame.pixels[(y + line) * row + x * pixel], width * pixel,
                    &part.pixels[line * partRow]);
    return part;
}

// Repeats a part over the span of the rectangle.
void Tile(const KIVDrawBuffer& buffer, const KIVBitmapFrame& part, const RECT& span) {
    if (part.width <= 0 || part.height <= 0)
        return;
    KIVDrawBuffer clipped = buffer;
    ::IntersectRect(&clipped.clip, &buffer.clip, &span);
    for (LONG y = span.top; y < span.bottom; y += part.height)
        for (LONG x = span.left; x < span.right; x += part.width)
            KIVPainter::DrawFrame(clipped, part, x, y);
}

} // namespace

void KIVDrawNineSlice(const KIVDrawBuffer& buffer, const KIVBitmapFrame& frame, const RECT& rect,
                      int corner) {
    if (corner <= 0 || 2 * corner >= frame.width || 2 * corner >= frame.height)
        return;
    const int middleWidth = frame.width - 2 * corner, middleHeight = frame.height - 2 * corner;
    const int xs[3] = {0, corner, frame.width - corner};
    const int ws[3] = {corner, middleWidth, corner};
    const int ys[3] = {0, corner, frame.height - corner};
    const int hs[3] = {corner, middleHeight, corner};
    const LONG left[3] = {rect.left, rect.left + corner, rect.right - corner};
    const LONG right[3] = {rect.left + corner, rect.right - corner, rect.right};
    const LONG top[3] = {rect.top, rect.top + corner, rect.bottom - corner};
    const LONG bottom[3] = {rect.top + corner, rect.bottom - corner, rect.bottom};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            Tile(buffer, Part(frame, xs[column], ys[row], ws[column], hs[row]),
                 RECT{left[column], top[row], right[column], bottom[row]});
}
