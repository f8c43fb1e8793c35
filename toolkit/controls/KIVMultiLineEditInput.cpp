// The multi-line field's keys, mouse and clipboard. The field is read-only:
// keys scroll it or move the selection, and the selection can only be
// copied.
#include "toolkit/controls/KIVMultiLineEditCtrl.h"

#include "toolkit/KIVClipboardText.h"
#include "toolkit/KIVDialog.h"

#include <algorithm>

namespace {

bool KeyHeld(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

bool IsWordEnd(char16_t ch) {
    return ch == u' ' || ch == u'\t' || ch == u'\n' || ch == u'\r';
}

} // namespace

bool KIVMultiLineEditCtrl::Copy() const {
    const int first = SelectionStart();
    if (SelectionEnd() == first)
        return false;
    const HWND owner = GetDialog() ? GetDialog()->GetSafeHwnd() : nullptr;
    return KIVPutClipboardText(owner, static_cast<const char16_t*>(GetText()) + first,
                               SelectionEnd() - first);
}

// [SECTION] Keys

bool KIVMultiLineEditCtrl::OnKeyDown(UINT key, UINT, UINT) {
    const bool control = KeyHeld(VK_CONTROL);
    const bool shift = KeyHeld(VK_SHIFT);
    const int page = std::max(1, VisibleLines() - 1);
    const KIVWrappedText::Line* line = LineCount() > 0 ? &LineAt(wrapped_.LineOf(end_)) : nullptr;
    switch (key) {
    case VK_UP:
        ScrollTo(topLine_ - 1);
        return false;
    case VK_DOWN:
        ScrollTo(topLine_ + 1);
        return false;
    case VK_PRIOR:
        ScrollTo(topLine_ - page);
        return false;
    case VK_NEXT:
        ScrollTo(topLine_ + page);
        return false;
    case VK_HOME:
        MoveEnd(control || !line ? 0 : line->start, shift);
        return false;
    case VK_END:
        MoveEnd(control || !line ? GetText().GetLength() : line->start + line->length, shift);
        return false;
    case VK_INSERT:
        if (!control)
            return true;
        Copy();
        return false;
    case 'A':
    case 'C':
        // The character message that follows does the work.
        return !control;
    default:
        return true;
    }
}

bool KIVMultiLineEditCtrl::OnChar(UINT ch, UINT, UINT) {
    switch (ch) {
    case 1: // Control+A
        SelectAll();
        return false;
    case 3: // Control+C
        Copy();
        return false;
    default:
        return true;
    }
}

// [SECTION] Mouse

// Presses on the bar are the bar's until the release; elsewhere a press
// places the selection's end (and its anchor unless Shift is held).
bool KIVMultiLineEditCtrl::OnMouseDown(POINT point, UINT flags) {
    if (bar_.HitTest(point)) {
        bar_.OnMouseDown(point, flags);
        return false;
    }
    if (CanTakeFocus() && !HasFocus())
        SetFocus();
    MoveEnd(PositionAt(point), (flags & MK_SHIFT) != 0);
    selecting_ = true;
    return false;
}

bool KIVMultiLineEditCtrl::OnDoubleClick(POINT point, UINT flags) {
    if (bar_.HitTest(point)) {
        bar_.OnDoubleClick(point, flags);
        return false;
    }
    const KIVString& text = GetText();
    int first = PositionAt(point);
    int last = first;
    while (first > 0 && !IsWordEnd(text.GetAt(first - 1)))
        --first;
    while (last < text.GetLength() && !IsWordEnd(text.GetAt(last)))
        ++last;
    Select(first, last);
    selecting_ = false;
    return false;
}

// A drag above or below the text scrolls it a line for each move.
bool KIVMultiLineEditCtrl::OnMouseMove(POINT point, UINT flags) {
    if (bar_.IsPressed()) {
        bar_.OnMouseMove(point, flags);
        return false;
    }
    if (!selecting_)
        return true;
    const RECT area = TextArea();
    if (point.y < area.top)
        ScrollTo(topLine_ - 1);
    else if (point.y >= area.bottom)
        ScrollTo(topLine_ + 1);
    const int end = PositionAt(point);
    if (end != end_) {
        end_ = end;
        RequestDraw();
    }
    return false;
}

bool KIVMultiLineEditCtrl::OnMouseUp(POINT point, UINT flags) {
    if (bar_.IsPressed())
        bar_.OnMouseUp(point, flags);
    selecting_ = false;
    return false;
}

bool KIVMultiLineEditCtrl::OnMouseWheel(int delta, UINT) {
    ScrollTo(topLine_ - delta * kWheelLines / WHEEL_DELTA);
    return false;
}

void KIVMultiLineEditCtrl::OnTimer() {
    if (bar_.IsPressed())
        bar_.OnTimer();
}
