#include "toolkit/controls/KIVWrappedText.h"

#include "toolkit/controls/KIVLineBreak.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <algorithm>

namespace {

bool IsBlank(char16_t ch) {
    return ch == u' ' || ch == u'\t';
}

bool IsBreak(char16_t ch) {
    return ch == u'\n' || ch == u'\r';
}

// The pen after the characters from first to end, from a line's start.
int PenOver(const KIVFont& font, const char16_t* text, int first, int end) {
    int pen = 0;
    for (int i = first; i < end; ++i)
        pen = KIVTextPainter::NextPen(font, text[i], pen);
    return pen;
}

} // namespace

void KIVWrappedText::Wrap(const KIVFont& font, const char16_t* text, int length, int width) {
    lines_.clear();
    int start = 0;
    for (int i = 0; i < length; ++i) {
        if (!IsBreak(text[i]))
            continue;
        WrapParagraph(font, text, start, i, width);
        if (text[i] == u'\r' && i + 1 < length && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    WrapParagraph(font, text, start, length, width);
}

// A character that would pass the width ends the line after the last blank
// (or the last place between ideographic characters) before it, or before
// itself when the line has none; blanks never end a line themselves, so they
// hang past the width at its end.
void KIVWrappedText::WrapParagraph(const KIVFont& font, const char16_t* text, int start, int end,
                                   int width) {
    int lineStart = start;
    int breakAfter = -1;
    int pen = 0;
    int i = start;
    while (i < end) {
        if (i > lineStart && KIVMayBreakBefore(text, i))
            breakAfter = i;
        const int next = KIVTextPainter::NextPen(font, text[i], pen);
        if (next > width && i > lineStart && !IsBlank(text[i])) {
            const int cut = breakAfter > lineStart ? breakAfter : i;
            lines_.push_back(Line{lineStart, cut - lineStart});
            lineStart = cut;
            breakAfter = -1;
            pen = PenOver(font, text, cut, i);
            continue;
        }
        pen = next;
        if (IsBlank(text[i]))
            breakAfter = i + 1;
        ++i;
    }
    lines_.push_back(Line{lineStart, end - lineStart});
}

int KIVWrappedText::LineOf(int index) const {
    const auto after = std::upper_bound(lines_.begin(), lines_.end(), index,
                                        [](int at, const Line& line) { return at < line.start; });
    return std::max(0, static_cast<int>(after - lines_.begin()) - 1);
}
