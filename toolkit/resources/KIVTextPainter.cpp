#include "toolkit/resources/KIVTextPainter.h"

#include <algorithm>

namespace {

int TextLength(const char16_t* text, int length) {
    if (!text)
        return 0;
    if (length >= 0)
        return length;
    int count = 0;
    while (text[count])
        ++count;
    return count;
}

void DrawGlyph(const KIVDrawBuffer& buffer, const KIVFont& font, char16_t ch, int x, int y,
               DWORD colour, int options, int transparency) {
    const BYTE* glyph = font.Glyph(ch);
    const int advance = font.Advance(ch);
    if (!glyph)
        return;
    for (int row = 0; row < font.LineHeight(); ++row)
        for (int column = 0; column < advance; ++column) {
            int coverage = glyph[row * advance + column];
            if (options & KIVTextPainter::kInvert)
                coverage = 255 - coverage;
            coverage = coverage * transparency / 255;
            if (coverage == 0 || !buffer.MayDraw(x + column, y + row))
                continue;
            DWORD* pixel = buffer.At(x + column, y + row);
            *pixel = KIVTextPainter::Blend(*pixel, colour, coverage,
                                           (options & KIVTextPainter::kMultiply) != 0);
        }
}

} // namespace

int KIVTextPainter::NextPen(const KIVFont& font, char16_t ch, int pen) {
    if (ch != u'\t')
        return pen + font.Advance(ch);
    int next = (pen / kTabStep + 1) * kTabStep;
    if (next - pen < font.Advance(u' '))
        next += kTabStep;
    return next;
}

DWORD KIVTextPainter::Blend(DWORD pixel, DWORD colour, int coverage, bool multiply) {
    DWORD result = pixel & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const DWORD p = (pixel >> shift) & 0xFF;
        DWORD c = (colour >> shift) & 0xFF;
        if (multiply)
            c = p * c / 255;
        const DWORD b = static_cast<DWORD>(coverage);
        const DWORD value = b == 255 ? c : (c * b + p * (255 - b)) / 256;
        result |= value << shift;
    }
    return result;
}

int KIVTextPainter::MeasureText(const KIVFont& font, const char16_t* text, int length) {
    int pen = 0;
    const int count = TextLength(text, length);
    for (int i = 0; i < count; ++i)
        pen = NextPen(font, text[i], pen);
    return pen;
}

int KIVTextPainter::DrawText(const KIVDrawBuffer& buffer, const KIVFont& font, const char16_t* text,
                             int length, int x, int y, int width, DWORD colour, int options,
                             int transparency) {
    const int count = TextLength(text, length);
    transparency = std::clamp(transparency, 0, 255);
    int start = x;
    if (options & (kCentre | kRight)) {
        const int spare = std::max(0, width - MeasureText(font, text, count));
        start += (options & kCentre) ? spare / 2 : spare;
    }
    int pen = 0;
    for (int i = 0; i < count; ++i) {
        const int next = NextPen(font, text[i], pen);
        if (start + next > x + width)
            break;
        if (text[i] != u'\t')
            DrawGlyph(buffer, font, text[i], start + pen, y, colour, options, transparency);
        pen = next;
    }
    return start + pen;
}
