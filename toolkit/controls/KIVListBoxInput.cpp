// A list box's mouse and wheel: a press goes to the line first (its check
// box), then selects it; moves track the line under the pointer.
#include "toolkit/controls/KIVListBoxCtrl.h"

#include "toolkit/KIVDialog.h"

bool KIVListBoxCtrl::OnMouseDown(POINT point, UINT flags) {
    KIVControl::OnMouseDown(point, flags);
    if (PressScrollBar(point, flags))
        return false;
    const int index = LineAt(point);
    if (index < 0)
        return false;
    KIVListBoxLine* line = lines_[index];
    line->OnClick(point.x);
    if (line->ContinueClick())
        ClickLine(index, flags);
    return false;
}

bool KIVListBoxCtrl::OnMouseMove(POINT point, UINT flags) {
    if (pressedBar_) {
        pressedBar_->OnMouseMove(point, flags);
        return false;
    }
    SetHover(OverScrollBar(point) ? -1 : LineAt(point), point.x);
    return false;
}

bool KIVListBoxCtrl::OnMouseUp(POINT point, UINT flags) {
    if (pressedBar_)
        pressedBar_->OnMouseUp(point, flags);
    pressedBar_ = nullptr;
    return false;
}

void KIVListBoxCtrl::OnMouseLeave() {
    SetHover(-1, 0);
}

// The line left forgets that its box was under the pointer.
void KIVListBoxCtrl::SetHover(int index, int x) {
    if (index != hover_) {
        if (KIVListBoxLine* left = GetLine(hover_); left && left->IsHovered()) {
            left->SetHover(false);
            painted_.valid = false;
        }
        hover_ = index;
    }
    if (KIVListBoxLine* line = GetLine(index))
        line->OnMouseMove(x);
    RedrawLines();
}

void KIVListBoxCtrl::ClearHoverLine() {
    hover_ = -1;
    RedrawAllLines();
}

// The lines move under a pointer that stays where it is.
bool KIVListBoxCtrl::OnMouseWheel(int delta, UINT) {
    ScrollTo(scrollX_, scrollY_ - delta * kWheelLines * lineHeight_ / WHEEL_DELTA);
    POINT pointer{};
    if (hover_ >= 0 && GetDialog() && ::GetCursorPos(&pointer) &&
        ::ScreenToClient(GetDialog()->GetSafeHwnd(), &pointer))
        SetHover(LineAt(pointer), pointer.x);
    return false;
}

void KIVListBoxCtrl::OnFocusChanged(bool) {
    RedrawAllLines();
}
