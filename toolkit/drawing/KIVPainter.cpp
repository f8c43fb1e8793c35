#include "toolkit/drawing/KIVPainter.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/drawing/KIVLook.h"

#include <algorithm>
#include <climits>

namespace {

// The part of rect that may be drawn.
RECT Clipped(const KIVDrawBuffer& buffer, const RECT& rect) {
    RECT bounds{std::max<LONG>(buffer.clip.left, 0), std::max<LONG>(buffer.clip.top, 0),
                std::min<LONG>(buffer.clip.right, buffer.width),
                std::min<LONG>(buffer.clip.bottom, buffer.height)};
    RECT out{std::max(rect.left, bounds.left), std::max(rect.top, bounds.top),
             std::min(rect.right, bounds.right), std::min(rect.bottom, bounds.bottom)};
    if (out.right < out.left)
        out.right = out.left;
    if (out.bottom < out.top)
        out.bottom = out.top;
    return out;
}

// A picture's pixel over the buffer's, by the picture pixel's opacity
// (255 minus its transparency t): t = 0 gives the picture's pixel, and
// otherwise each channel becomes (buffer x t + picture x (255 - t)) / 256,
// rounded down; t = 255 leaves the buffer's pixel as it is (the formula
// would darken it by one level, and a fully transparent pixel must not show).
DWORD Blend(DWORD picture, DWORD target, unsigned opacity) {
    if (opacity >= 255)
        return picture;
    if (opacity == 0)
        return target;
    const unsigned t = 255 - opacity;
    DWORD out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned p = (picture >> shift) & 0xFF, b = (target >> shift) & 0xFF;
        out |= ((b * t + p * opacity) >> 8) << shift;
    }
    return out;
}

DWORD FramePixel(const KIVBitmapFrame& frame, int x, int y, unsigned* opacity) {
    const std::size_t row = KIVBitmapFile::RowBytes(frame.flags, frame.width) * y;
    if (frame.IsEightBit()) {
        const DWORD grey = frame.pixels[row + x];
        *opacity = 255;
        return grey << 16 | grey << 8 | grey;
    }
    const BYTE* p = &frame.pixels[row + 4 * static_cast<std::size_t>(x)];
    *opacity = 255u - p[3];
    return static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 |
           static_cast<DWORD>(p[2]) << 16;
}

// A frame of the application's bitmap file.
bool LoadPicture(int id, int frame, KIVBitmapFrame* picture) {
    KIVApplication* app = KIVApplication::Get();
    return app && app->GetBitmap(id, frame, picture);
}

} // namespace

void KIVPainter::FillRect(const KIVDrawBuffer& buffer, const RECT& rect, DWORD colour) {
    const RECT area = Clipped(buffer, rect);
    for (LONG y = area.top; y < area.bottom; ++y)
        std::fill(buffer.At(area.left, y), buffer.At(area.right, y), colour);
}

void KIVPainter::HorizontalLine(const KIVDrawBuffer& buffer, int left, int right, int y,
                                DWORD colour) {
    FillRect(buffer, RECT{left, y, right, y + 1}, colour);
}

void KIVPainter::VerticalLine(const KIVDrawBuffer& buffer, int x, int top, int bottom,
                              DWORD colour) {
    FillRect(buffer, RECT{x, top, x + 1, bottom}, colour);
}

void KIVPainter::FrameRect(const KIVDrawBuffer& buffer, const RECT& rect, DWORD colour) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    HorizontalLine(buffer, rect.left, rect.right, rect.top, colour);
    HorizontalLine(buffer, rect.left, rect.right, rect.bottom - 1, colour);
    VerticalLine(buffer, rect.left, rect.top, rect.bottom, colour);
    VerticalLine(buffer, rect.right - 1, rect.top, rect.bottom, colour);
}

void KIVPainter::Bevel(const KIVDrawBuffer& buffer, const RECT& rect, bool raised) {
    FrameRect(buffer, rect, KIVLook::kOutline);
    const RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    if (inner.right <= inner.left || inner.bottom <= inner.top)
        return;
    const DWORD upper = raised ? KIVLook::kLight : KIVLook::kShadow;
    const DWORD lower = raised ? KIVLook::kShadow : KIVLook::kLight;
    HorizontalLine(buffer, inner.left, inner.right, inner.top, upper);
    VerticalLine(buffer, inner.left, inner.top, inner.bottom, upper);
    HorizontalLine(buffer, inner.left, inner.right, inner.bottom - 1, lower);
    VerticalLine(buffer, inner.right - 1, inner.top + 1, inner.bottom, lower);
}

// Any rectangle a layout gives, however far outside the buffer: the inset
// edges are held where a line's extent cannot overflow.
void KIVPainter::FocusRect(const KIVDrawBuffer& buffer, const RECT& rect) {
    auto inset = [](LONG edge, int by) {
        return static_cast<LONG>(
            std::clamp<long long>(static_cast<long long>(edge) + by, INT_MIN + 1LL, INT_MAX - 1LL));
    };
    FrameRect(buffer,
              RECT{inset(rect.left, 2), inset(rect.top, 2), inset(rect.right, -2),
                   inset(rect.bottom, -2)},
              KIVLook::kAccent);
}

DWORD KIVPainter::Fade(DWORD colour, DWORD background, float factor) {
    DWORD out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const float c = static_cast<float>((colour >> shift) & 0xFF);
        const float b = static_cast<float>((background >> shift) & 0xFF);
        const DWORD channel = static_cast<DWORD>(factor * c) + static_cast<DWORD>((1 - factor) * b);
        out |= std::min<DWORD>(channel, 255) << shift;
    }
    return out;
}

// The factor scales each pixel's opacity: opacity x factor, in 255ths.
void KIVPainter::DrawFrame(const KIVDrawBuffer& buffer, const KIVBitmapFrame& frame, int x, int y,
                           float factor, const DWORD* colour) {
    const RECT area = Clipped(buffer, RECT{x, y, x + frame.width, y + frame.height});
    const unsigned scale = static_cast<unsigned>(std::clamp(factor, 0.0f, 1.0f) * 255.0f + 0.5f);
    for (LONG row = area.top; row < area.bottom; ++row) {
        DWORD* target = buffer.At(area.left, row);
        for (LONG column = area.left; column < area.right; ++column, ++target) {
            unsigned opacity = 0;
            const DWORD source = FramePixel(frame, column - x, row - y, &opacity);
            *target = Blend(colour ? *colour : source, *target, opacity * scale / 255);
        }
    }
}

bool KIVPainter::DrawPicture(const KIVDrawBuffer& buffer, int id, int frame, int x, int y,
                             float factor) {
    KIVBitmapFrame picture;
    if (!LoadPicture(id, frame, &picture))
        return false;
    DrawFrame(buffer, picture, x, y, factor);
    return true;
}

bool KIVPainter::DrawPictureIn(const KIVDrawBuffer& buffer, int id, int frame, int x, int y,
                               DWORD colour, float factor) {
    KIVBitmapFrame picture;
    if (!LoadPicture(id, frame, &picture))
        return false;
    DrawFrame(buffer, picture, x, y, factor, &colour);
    return true;
}

bool KIVPainter::PictureSize(int id, SIZE* size) {
    KIVBitmapFrame picture;
    if (!LoadPicture(id, 0, &picture)) {
        *size = SIZE{0, 0};
        return false;
    }
    *size = SIZE{picture.width, picture.height};
    return true;
}
