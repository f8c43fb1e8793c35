// An edit field's mouse and focus: the first press only takes the focus
// (and leaves the whole text selected); presses on a focused field place
// the caret, drags select, a double click selects a word.
#include "toolkit/controls/KIVEditCtrl.h"

#include "toolkit/KIVDialog.h"

#include <algorithm>

bool KIVEditCtrl::OnMouseDown(POINT point, UINT) {
    if (!HasFocus()) {
        if (CanTakeFocus())
            SetFocus();
        NotifyEvent(kNotifyClicked, 0);
        RequestDraw();
        return false;
    }
    justFocused_ = false;
    wordSelected_ = false;
    if (IsReadOnly())
        return false;
    RestartBlinking();
    model_.PlaceCaret(PositionAt(point));
    Moved();
    return false;
}

// The text cursor shows over the field. Left of the text area a drag takes
// the caret one character further left than the first visible one, which
// scrolls the text back while the mouse stays there.
bool KIVEditCtrl::OnMouseMove(POINT point, UINT) {
    ::SetCursor(::LoadCursorA(nullptr, IDC_IBEAM));
    const bool dragging = GetDialog() && GetDialog()->PressedControl() == this;
    if (!dragging || !HasFocus() || IsReadOnly() || justFocused_ || wordSelected_)
        return true;
    int position = PositionAt(point);
    if (point.x < GetRect().left + kWellInset)
        position = std::max(model_.FirstVisible() - 1, 0);
    model_.ExtendTo(position);
    Moved();
    return false;
}

void KIVEditCtrl::OnMouseLeave() {
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

bool KIVEditCtrl::OnMouseUp(POINT point, UINT) {
    if (wordSelected_) {
        wordSelected_ = false;
        return false;
    }
    if (justFocused_) {
        justFocused_ = false;
        RequestDraw();
        return false;
    }
    if (HasFocus() && !IsReadOnly()) {
        model_.ExtendTo(PositionAt(point));
        Moved();
    }
    return false;
}

bool KIVEditCtrl::OnDoubleClick(POINT point, UINT flags) {
    if (!HasFocus() || IsReadOnly())
        return OnMouseDown(point, flags);
    model_.PlaceCaret(PositionAt(point));
    model_.SelectWord();
    wordSelected_ = true;
    Moved();
    return false;
}

// Taking the focus selects the whole text. The modifier keys are read
// afresh, as their presses and releases may have reached another control.
void KIVEditCtrl::OnFocusChanged(bool gained) {
    shiftDown_ = gained && (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    controlDown_ = gained && (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (gained) {
        if (IsReadOnly()) {
            // The whole text selected shows the focus; the caret stays at 0
            // so that the text's start stays in view.
            model_.Select(0, model_.Length() - 1);
        } else {
            model_.SelectAll();
            RestartBlinking();
        }
        justFocused_ = true;
        Moved();
        return;
    }
    if (!IsReadOnly())
        StopTimer();
    caretShown_ = false;
    RequestDraw();
}

void KIVEditCtrl::OnTimer() {
    caretShown_ = !caretShown_;
    RequestDraw();
}
