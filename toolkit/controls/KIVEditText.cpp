#include "toolkit/controls/KIVEditText.h"

#include "toolkit/resources/KIVFont.h"
#include "toolkit/resources/KIVTextPainter.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

bool IsBreak(char16_t ch) {
    return ch == u' ' || ch == u'\n';
}

} // namespace

KIVEditText::KIVEditText(const char16_t* text) {
    now_.text = text;
    now_.caret = Length();
    anchor_ = now_.caret;
    TakeUndo();
}

void KIVEditText::Reset(const char16_t* text, bool selectAll) {
    now_.text = text;
    now_.first = 0;
    now_.selStart = 0;
    now_.caret = selectAll ? Length() : 0;
    now_.selLength = now_.caret;
    anchor_ = 0;
    TakeUndo();
}

bool KIVEditText::Select(int first, int last) {
    if (first < 0 || first > Length() || last >= Length() || (last < first && last != -1))
        return false;
    now_.selStart = first;
    now_.selLength = last == -1 ? 0 : last - first + 1;
    return true;
}

void KIVEditText::SelectAll() {
    now_.selStart = 0;
    now_.selLength = Length();
    now_.caret = Length();
    anchor_ = 0;
}

void KIVEditText::PlaceCaret(int position) {
    now_.caret = std::clamp(position, 0, Length());
    anchor_ = now_.caret;
    now_.selStart = now_.caret;
    now_.selLength = 0;
}

void KIVEditText::ExtendTo(int position) {
    now_.caret = std::clamp(position, 0, Length());
    now_.selStart = std::min(anchor_, now_.caret);
    now_.selLength = std::abs(anchor_ - now_.caret);
}

void KIVEditText::SelectWord() {
    int start = now_.caret;
    while (start > 0 && !IsBreak(now_.text.GetAt(start - 1)))
        --start;
    int end = now_.caret;
    while (end < Length() && !IsBreak(now_.text.GetAt(end)))
        ++end;
    anchor_ = start;
    ExtendTo(end);
}

void KIVEditText::StartTyping() {
    if (now_.typingRun)
        return;
    now_.typingRun = true;
    TakeUndo();
}

void KIVEditText::StartDeleting() {
    if (!now_.typingRun)
        return;
    now_.typingRun = false;
    TakeUndo();
}

void KIVEditText::DeleteSelection() {
    if (!HasSelection())
        return;
    now_.caret = now_.selStart;
    const int count = std::min(now_.selLength, Length() - now_.selStart);
    now_.text.Delete(now_.selStart, count);
    now_.selLength = 0;
    anchor_ = now_.caret;
}

void KIVEditText::Type(char16_t ch) {
    StartTyping();
    DeleteSelection();
    now_.text.Insert(now_.caret, ch);
    PlaceCaret(now_.caret + 1);
}

void KIVEditText::Backspace() {
    StartDeleting();
    if (HasSelection() || now_.caret == 0) {
        DeleteSelection();
    } else {
        now_.text.Delete(now_.caret - 1, 1);
        --now_.caret;
    }
    anchor_ = now_.caret;
}

void KIVEditText::DeleteForward() {
    StartDeleting();
    if (HasSelection())
        DeleteSelection();
    else if (now_.caret < Length())
        now_.text.Delete(now_.caret, 1);
    anchor_ = now_.caret;
}

void KIVEditText::DeleteSelected() {
    StartDeleting();
    DeleteSelection();
}

// The next typed character opens a new run, so that Undo takes back the
// paste and what was typed after it separately.
void KIVEditText::Paste(const KIVString& text) {
    if (!now_.typingRun)
        TakeUndo();
    now_.typingRun = false;
    DeleteSelection();
    now_.text.Insert(now_.caret, text);
    PlaceCaret(now_.caret + text.GetLength());
}

void KIVEditText::Undo() {
    std::swap(now_, undo_);
    anchor_ = now_.caret;
}

int KIVEditText::WordStartBefore(int position) const {
    int start = std::max(position - 1, 0);
    while (start > 0 && !IsBreak(now_.text.GetAt(start - 1)))
        --start;
    return start;
}

int KIVEditText::WordStartAfter(int position) const {
    int end = position;
    while (end < Length() && !IsBreak(now_.text.GetAt(end)))
        ++end;
    return std::min(end + 1, Length());
}

void KIVEditText::Move(int position, bool extend) {
    if (extend)
        ExtendTo(position);
    else
        PlaceCaret(position);
}

void KIVEditText::Left(bool word, bool extend) {
    Move(word ? WordStartBefore(now_.caret) : now_.caret - 1, extend);
}

void KIVEditText::Right(bool word, bool extend) {
    Move(word ? WordStartAfter(now_.caret) : now_.caret + 1, extend);
}

void KIVEditText::Home(bool extend) {
    if (extend) {
        now_.selStart = 0;
        now_.selLength = anchor_;
    } else {
        now_.selLength = 0;
        anchor_ = 0;
    }
    now_.caret = 0;
    now_.first = 0;
}

void KIVEditText::End(bool extend) {
    Move(Length(), extend);
}

int KIVEditText::WidthTo(const KIVFont& font, int position) const {
    int pen = 0;
    for (int i = now_.first; i < position && i < Length(); ++i)
        pen = KIVTextPainter::NextPen(font, now_.text.GetAt(i), pen);
    return pen;
}

int KIVEditText::PositionAt(const KIVFont& font, int dx) const {
    int pen = 0;
    for (int i = now_.first; i < Length(); ++i) {
        const int next = KIVTextPainter::NextPen(font, now_.text.GetAt(i), pen);
        if (dx < next - (next - pen) / 2)
            return i;
        pen = next;
    }
    return Length();
}

void KIVEditText::ScrollToCaret(const KIVFont& font, int width) {
    now_.first = std::min(now_.first, now_.caret);
    while (now_.first < now_.caret && WidthTo(font, now_.caret) >= width)
        ++now_.first;
}
