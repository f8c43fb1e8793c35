// Whether a message box shows the whole of its text: the lines its label
// breaks the text into cover every character but the blanks and line breaks
// between them, each fits the label's width, all of them fit its height, and
// the last one is really drawn (it has ink on the screen).
#pragma once

#include "toolkit/KIVDialog.h"
#include "toolkit/KIVMessageBoxDlg.h"
#include "toolkit/controls/KIVLabelCtrl.h"
#include "toolkit/resources/KIVFont.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <string>
#include <vector>

namespace message_box_check {

inline bool IsGap(char16_t ch) {
    return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n';
}

// The first character that no line holds and that is not a gap, or -1.
inline int FirstLeftOut(const std::u16string& text, const std::vector<KIVLabelCtrl::Line>& lines) {
    int at = 0;
    for (const KIVLabelCtrl::Line& line : lines) {
        for (; at < line.start; ++at)
            if (!IsGap(text[at]))
                return at;
        at = line.start + line.length;
    }
    for (; at < static_cast<int>(text.size()); ++at)
        if (!IsGap(text[at]))
            return at;
    return -1;
}

// Pixels of the band that are much darker than the paper: the label's ink.
inline int InkIn(const KIVDialog& box, const RECT& band) {
    int ink = 0;
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x)
            ink += (box.PixelAt(x, y) & 0xFF) < 0x80;
    return ink;
}

// What keeps the box from showing its whole text, or nothing. The box must
// have been created and painted.
inline std::string WholeTextMisfit(const KIVMessageBoxDlg& box) {
    const KIVControl* label = box.GetControl(KIVMessageBoxDlg::kTextId);
    if (!label || !label->GetFont())
        return "no label with a font";
    const KIVFont& font = *label->GetFont();
    const RECT rect = label->GetRect();
    const std::u16string text(static_cast<const char16_t*>(label->GetText()),
                              label->GetText().GetLength());
    const std::vector<KIVLabelCtrl::Line> lines =
        KIVLabelCtrl::BreakLines(font, text.c_str(), rect.right - rect.left);
    if (const int out = FirstLeftOut(text, lines); out >= 0)
        return "character " + std::to_string(out) + " is on no line";
    for (const KIVLabelCtrl::Line& line : lines)
        if (KIVTextPainter::MeasureText(font, text.c_str() + line.start, line.length) >
            rect.right - rect.left)
            return "the line at " + std::to_string(line.start) + " is wider than the label";
    const int height = static_cast<int>(lines.size()) * font.LineHeight();
    if (height > rect.bottom - rect.top)
        return std::to_string(lines.size()) + " lines of " + std::to_string(font.LineHeight()) +
               " pixels in " + std::to_string(rect.bottom - rect.top);
    if (lines.empty() || lines.back().length == 0)
        return {};
    const RECT last{rect.left, rect.top + height - font.LineHeight(), rect.right,
                    rect.top + height};
    if (InkIn(box, last) == 0)
        return "the last line is not drawn";
    return {};
}

} // namespace message_box_check
