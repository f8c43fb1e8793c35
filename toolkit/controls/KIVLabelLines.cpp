// A tall label's text broken into lines.
#include "toolkit/controls/KIVLabelCtrl.h"

#include "toolkit/controls/KIVLineBreak.h"
#include "toolkit/resources/KIVTextPainter.h"

namespace {

bool IsBlank(char16_t ch) {
    return ch == u' ' || ch == u'\t';
}

// How many characters of text go on a line of the given width: as many as
// fit, ending before a line feed; a word that would be cut goes to the next
// line when the line has a blank (or a place between ideographic
// characters) before it.
int LineLength(const KIVFont& font, const char16_t* text, int width) {
    int count = 0;
    for (int pen = 0; text[count] && text[count] != u'\n'; ++count) {
        const int next = KIVTextPainter::NextPen(font, text[count], pen);
        if (next > width && count > 0)
            break;
        pen = next;
    }
    if (!text[count] || text[count] == u'\n' || IsBlank(text[count]))
        return count;
    for (int at = count; at > 0; --at)
        if (IsBlank(text[at - 1]) && at - 1 > 0)
            return at - 1;
        else if (KIVMayBreakBefore(text, at))
            return at;
    return count;
}

} // namespace

std::vector<KIVLabelCtrl::Line> KIVLabelCtrl::BreakLines(const KIVFont& font, const char16_t* text,
                                                         int width) {
    std::vector<Line> lines;
    for (const char16_t* at = text; *at;) {
        const int length = LineLength(font, at, width);
        lines.push_back(Line{static_cast<int>(at - text), length});
        at += length;
        while (IsBlank(*at) || *at == u'\r')
            ++at;
        if (*at == u'\n')
            ++at;
    }
    return lines;
}

void KIVLabelCtrl::DrawLines(const KIVDrawBuffer& buffer, const KIVFont& font,
                             int transparency) const {
    const RECT& rect = GetRect();
    const int width = rect.right - rect.left;
    const char16_t* text = GetText();
    int y = rect.top;
    for (const Line& line : BreakLines(font, text, width)) {
        if (y + font.LineHeight() > rect.bottom)
            break;
        KIVTextPainter::DrawText(buffer, font, text + line.start, line.length, rect.left, y, width,
                                 GetColour(), GetStyle(), transparency);
        y += font.LineHeight();
    }
}
