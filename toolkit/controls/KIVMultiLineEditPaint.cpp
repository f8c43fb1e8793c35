// The multi-line field's drawing: a sunken white well, the lines in view
// with the selection on the accent, the scroll bar, and the focus rectangle.
#include "toolkit/controls/KIVMultiLineEditCtrl.h"

#include "toolkit/drawing/KIVLook.h"
#include "toolkit/drawing/KIVPainter.h"
#include "toolkit/resources/KIVTextPainter.h"

void KIVMultiLineEditCtrl::Draw(const KIVDrawBuffer& buffer) {
    const RECT& rect = GetRect();
    KIVDrawBuffer field = buffer;
    ::IntersectRect(&field.clip, &buffer.clip, &rect);
    KIVPainter::FillRect(field, rect, KIVLook::kWell);
    KIVPainter::Bevel(field, rect, false);
    KIVDrawBuffer text = field;
    const RECT area = TextArea();
    ::IntersectRect(&text.clip, &field.clip, &area);
    // Only the lines in view, the one cut by the bottom edge included.
    const int lineHeight = LineHeight();
    for (int line = topLine_; line < LineCount() && line <= topLine_ + VisibleLines(); ++line)
        DrawLine(text, line, area.top + (line - topLine_) * lineHeight);
    if (bar_.IsVisible())
        bar_.Draw(field);
    if (HasFocus()) {
        RECT focus = rect;
        if (bar_.IsVisible())
            focus.right = bar_.GetRect().left + kBorder;
        KIVPainter::FocusRect(field, focus);
    }
    KIVControl::Draw(buffer);
}

// The selected part of a line lies on the accent in the selected text's
// colour; a selected line break shows as a blank's width of accent.
void KIVMultiLineEditCtrl::DrawLine(const KIVDrawBuffer& buffer, int line, int y) const {
    const DWORD ink =
        IsEnabled() ? KIVLook::kInk
                    : KIVPainter::Fade(KIVLook::kInk, KIVLook::kWell, KIVLook::kDisabledFactor);
    const KIVWrappedText::Line& at = LineAt(line);
    const int lineEnd = at.start + at.length;
    const int first = std::max(SelectionStart(), at.start);
    const int last = std::min(SelectionEnd(), lineEnd);
    const bool selectsBreak = SelectionEnd() > lineEnd && SelectionStart() <= lineEnd &&
                              line + 1 < LineCount() && LineAt(line + 1).start > lineEnd;
    if (first > last || (first == last && !selectsBreak)) {
        DrawRun(buffer, buffer.clip, line, y, ink);
        return;
    }
    const int left = TextArea().left;
    RECT selected{left + PenAt(line, first - at.start), y, left + PenAt(line, last - at.start),
                  y + LineHeight()};
    if (selectsBreak)
        selected.right += KIVTextPainter::MeasureText(*GetFont(), u" ", 1);
    KIVPainter::FillRect(buffer, selected, KIVLook::kSelection);
    const RECT& clip = buffer.clip;
    DrawRun(buffer, RECT{clip.left, clip.top, selected.left, clip.bottom}, line, y, ink);
    DrawRun(buffer, selected, line, y, KIVLook::kSelectedText);
    DrawRun(buffer, RECT{selected.right, clip.top, clip.right, clip.bottom}, line, y, ink);
}

// The whole line drawn in one colour inside clip (itself inside the
// buffer's clip).
void KIVMultiLineEditCtrl::DrawRun(const KIVDrawBuffer& buffer, const RECT& clip, int line, int y,
                                   DWORD colour) const {
    KIVDrawBuffer part = buffer;
    if (!::IntersectRect(&part.clip, &buffer.clip, &clip))
        return;
    const KIVWrappedText::Line& at = LineAt(line);
    const RECT area = TextArea();
    KIVTextPainter::DrawText(part, *GetFont(), static_cast<const char16_t*>(GetText()) + at.start,
                             at.length, area.left, y, area.right - area.left, colour, 0);
}
