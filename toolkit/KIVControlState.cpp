// A control's visibility, enabling, focus, timers and the base input
// handling.
#include "toolkit/KIVControl.h"

#include "toolkit/KIVDialog.h"

bool KIVControl::ShowMember(KIVControl*, bool) {
    return false;
}

bool KIVControl::EnableMember(KIVControl*, bool) {
    return false;
}

void KIVControl::Show(bool show) {
    if (container_) {
        if (container_->ShowMember(this, show))
            return;
    } else if (show == visible_) {
        return;
    }
    visible_ = show;
    if (show) {
        RequestFullDraw();
        return;
    }
    // A hidden control never keeps the focus, drawn or not.
    if (drawState_ != kNeverDrawn) {
        drawState_ = kWaitsErase;
        InvalidateRect();
    }
    KillFocus(true);
}

void KIVControl::Enable(bool enable) {
    if (container_ && container_->EnableMember(this, enable))
        return;
    enabled_ = enable;
    RequestFullDraw();
    if (!enable)
        KillFocus(true);
}

bool KIVControl::HasFocus() const {
    return dialog_ && dialog_->FocusedControl() == this;
}

void KIVControl::SetFocus() {
    if (dialog_)
        dialog_->SetFocusControl(id_);
}

void KIVControl::KillFocus(bool moveOn) {
    if (!HasFocus())
        return;
    if (moveOn)
        dialog_->FocusNext();
    RequestDraw();
}

void KIVControl::OnFocusChanged(bool) {
    RequestDraw();
}

void KIVControl::StartTimer(UINT period) {
    if (dialog_ && dialog_->GetSafeHwnd())
        ::SetTimer(dialog_->GetSafeHwnd(), static_cast<UINT_PTR>(id_), period, nullptr);
}

void KIVControl::StopTimer() {
    if (dialog_ && dialog_->GetSafeHwnd())
        ::KillTimer(dialog_->GetSafeHwnd(), static_cast<UINT_PTR>(id_));
}

bool KIVControl::OnMouseDown(POINT, UINT) {
    if (CanTakeFocus())
        SetFocus();
    return true;
}

bool KIVControl::OnMouseUp(POINT, UINT) {
    return true;
}

bool KIVControl::OnMouseMove(POINT, UINT) {
    return true;
}

bool KIVControl::OnMouseWheel(int, UINT) {
    return true;
}

bool KIVControl::OnKeyDown(UINT, UINT, UINT) {
    return true;
}

bool KIVControl::OnKeyUp(UINT, UINT, UINT) {
    return true;
}

bool KIVControl::OnChar(UINT, UINT, UINT) {
    return true;
}
