#include "toolkit/drawing/KIVPrefixText.h"

#include "toolkit/resources/KIVTextPainter.h"

#include <algorithm>

KIVPrefixText::KIVPrefixText(const char16_t* text) {
    for (const char16_t* at = text; at && *at; ++at) {
        if (*at != u'&') {
            shown_ += *at;
            continue;
        }
        if (!*++at)
            break;
        if (*at != u'&' && mnemonic_ < 0)
            mnemonic_ = static_cast<int>(shown_.size());
        shown_ += *at;
    }
}

char16_t KIVPrefixText::Fold(char16_t ch) {
    return ch >= u'a' && ch <= u'z' ? static_cast<char16_t>(ch - u'a' + u'A') : ch;
}

char16_t KIVPrefixText::Mnemonic() const {
    return mnemonic_ < 0 ? 0 : Fold(shown_[mnemonic_]);
}

int KIVPrefixText::Measure(const KIVFont& font, const char16_t* text) {
    const KIVPrefixText prefix(text);
    return KIVTextPainter::MeasureText(font, prefix.shown_.c_str(), -1);
}

int KIVPrefixText::UnderlineRow(const KIVFont& font) {
    const int height = font.LineHeight();
    const BYTE* glyph = font.Glyph(u'H');
    const int advance = font.Advance(u'H');
    int lowest = height - 3;
    if (glyph)
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < advance; ++column)
                if (glyph[row * advance + column] >= 128)
                    lowest = row;
    return std::clamp(lowest + 2, 0, height - 1);
}

int KIVPrefixText::Draw(const KIVDrawBuffer& buffer, const KIVFont& font, const char16_t* text,
                        int x, int y, int width, DWORD colour, int options, int transparency) {
    const KIVPrefixText prefix(text);
    const char16_t* shown = prefix.shown_.c_str();
    int start = x;
    if (options & (KIVTextPainter::kCentre | KIVTextPainter::kRight)) {
        const int spare = std::max(0, width - KIVTextPainter::MeasureText(font, shown, -1));
        start += (options & KIVTextPainter::kCentre) ? spare / 2 : spare;
    }
    const int aligned = options & ~(KIVTextPainter::kCentre | KIVTextPainter::kRight);
    const int end = KIVTextPainter::DrawText(buffer, font, shown, -1, start, y, x + width - start,
                                             colour, aligned, transparency);
    if (prefix.mnemonic_ < 0)
        return end;
    const int left = start + KIVTextPainter::MeasureText(font, shown, prefix.mnemonic_);
    const int right = std::min(end, left + font.Advance(shown[prefix.mnemonic_]));
    const int row = y + UnderlineRow(font);
    const int coverage = std::clamp(transparency, 0, 255);
    for (int column = left; column < right; ++column)
        if (coverage > 0 && buffer.MayDraw(column, row)) {
            DWORD* pixel = buffer.At(column, row);
            *pixel = KIVTextPainter::Blend(*pixel, colour, coverage,
                                           (options & KIVTextPainter::kMultiply) != 0);
        }
    return end;
}
