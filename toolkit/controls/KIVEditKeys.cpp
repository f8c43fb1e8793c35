// An edit field's keys and characters. Key-down messages move the caret
// and remember Shift and Control; the editing itself happens on the
// character messages that follow the keys (Backspace, Control+C and the
// others arrive as control characters).
#include "toolkit/controls/KIVEditCtrl.h"

namespace {

enum Character : UINT {
    kBlankInstead = 0,
    kSelectAll = 1,
    kCopy = 3,
    kBackspace = 8,
    kNotForFields = 16,
    kPaste = 22,
    kCut = 24,
    kUndo = 26
};

// The keys whose character message does the work: Backspace, the space
// bar, and digits, letters and the number pad (up to F1).
bool IsCharacterKey(UINT key) {
    return key == VK_BACK || key == VK_SPACE || (key >= '0' && key < VK_F1);
}

} // namespace

void KIVEditCtrl::RestartBlinking() {
    caretShown_ = true;
    StartTimer(kCaretPeriod);
    RequestDraw();
}

bool KIVEditCtrl::OnKeyDown(UINT key, UINT, UINT) {
    if (!IsReadOnly())
        RestartBlinking();
    switch (key) {
    case VK_SHIFT:
        shiftDown_ = true;
        return false;
    case VK_CONTROL:
        controlDown_ = true;
        return false;
    case VK_INSERT:
        if (controlDown_)
            Copy();
        else if (shiftDown_)
            Paste();
        return false;
    case VK_DELETE:
        if (shiftDown_ || controlDown_) {
            Cut();
        } else if (!IsReadOnly()) {
            model_.DeleteForward();
            Changed();
        }
        return false;
    default:
        return HandleMovement(key) && !IsCharacterKey(key);
    }
}

// Home, End and the arrows; true when the key is none of them. They do
// nothing on a read-only field.
bool KIVEditCtrl::HandleMovement(UINT key) {
    if (key != VK_HOME && key != VK_END && key != VK_LEFT && key != VK_RIGHT)
        return true;
    if (IsReadOnly())
        return false;
    if (key == VK_HOME)
        model_.Home(shiftDown_);
    else if (key == VK_END)
        model_.End(shiftDown_);
    else if (key == VK_LEFT)
        model_.Left(controlDown_, shiftDown_);
    else
        model_.Right(controlDown_, shiftDown_);
    Moved();
    return false;
}

bool KIVEditCtrl::OnKeyUp(UINT key, UINT, UINT) {
    if (key == VK_SHIFT)
        shiftDown_ = false;
    else if (key == VK_CONTROL)
        controlDown_ = false;
    else
        return true;
    return false;
}

bool KIVEditCtrl::OnChar(UINT ch, UINT, UINT) {
    if (IsReadOnly())
        return false;
    switch (ch) {
    case kSelectAll:
        SelectAll();
        return false;
    case kCopy:
        Copy();
        return false;
    case kBackspace:
        model_.Backspace();
        Changed();
        return false;
    case kNotForFields:
        return true;
    case kPaste:
        Paste();
        return false;
    case kCut:
        Cut();
        return false;
    case kUndo:
        Undo();
        return false;
    default:
        model_.Type(ch == kBlankInstead ? u' ' : static_cast<char16_t>(ch));
        Changed();
        return false;
    }
}
