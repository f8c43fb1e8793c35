// A dialog's keyboard and mouse routing, its timers and its idle processing
// while modal.
#include "toolkit/KIVDialog.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/KIVTooltip.h"

namespace {

bool KeyHeld(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

} // namespace

// The focused control sees the key first; then Tab moves the focus, and
// Enter and Escape end this dialog, or its parent's for a child dialog.
void KIVDialog::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (KIVControl* focused = GetFocusDialog()->FocusedControl())
        if (!focused->OnKeyDown(nChar, nRepCnt, nFlags))
            return;
    KIVDialog* target = ParentDialog() ? ParentDialog() : this;
    switch (nChar) {
    case VK_TAB:
        if (KeyHeld(VK_CONTROL))
            KIVWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        else if (KeyHeld(VK_SHIFT))
            FocusPrevious();
        else
            FocusNext();
        return;
    case VK_RETURN:
        target->OnOK();
        return;
    case VK_ESCAPE:
        target->OnCancel();
        return;
    default:
        KIVWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void KIVDialog::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (KIVControl* focused = GetFocusDialog()->FocusedControl())
        focused->OnKeyUp(nChar, nRepCnt, nFlags);
}

void KIVDialog::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (KIVControl* focused = GetFocusDialog()->FocusedControl())
        focused->OnChar(nChar, nRepCnt, nFlags);
}

KIVControl* KIVDialog::ControlAtPoint(POINT point) const {
    for (auto control = controls_.rbegin(); control != controls_.rend(); ++control)
        if ((*control)->IsEnabled() && (*control)->HitTest(point))
            return control->get();
    return nullptr;
}

void KIVDialog::OnLButtonDown(UINT nFlags, POINT point) {
    if (KIVControl* control = ControlAtPoint(point))
        control->OnMouseDown(point, nFlags);
}

void KIVDialog::OnLButtonUp(UINT nFlags, POINT point) {
    if (KIVControl* control = ControlAtPoint(point))
        control->OnMouseUp(point, nFlags);
}

// A move onto another control restarts the tooltip's delay; leaving the
// control hides a tooltip that is shown.
void KIVDialog::OnMouseMove(UINT nFlags, POINT point) {
    KIVControl* control = ControlAtPoint(point);
    if (control != mouseControl_) {
        HideTooltip();
        mouseControl_ = control;
        if (control && control->HasTooltip())
            StartTimer(kTooltipDelayTimer, kTooltipDelay);
    }
    if (control)
        control->OnMouseMove(point, nFlags);
}

void KIVDialog::StartTimer(int n, UINT period) {
    if (m_hWnd)
        ::SetTimer(m_hWnd, kTimerBase + n, period, nullptr);
}

void KIVDialog::StopTimer(int n) {
    if (m_hWnd)
        ::KillTimer(m_hWnd, kTimerBase + n);
}

void KIVDialog::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent >= kTimerBase) {
        OnDialogTimer(static_cast<int>(nIDEvent - kTimerBase));
        return;
    }
    if (KIVControl* control = GetControl(static_cast<LONG>(nIDEvent)))
        control->OnTimer();
}

void KIVDialog::OnDialogTimer(int n) {
    switch (n) {
    case kIdleTimer:
        if (::IsWindowVisible(m_hWnd))
            RunIdleProcessing();
        return;
    case kTooltipDelayTimer:
        StopTimer(kTooltipDelayTimer);
        ShowTooltip();
        return;
    case kTooltipEndTimer:
        HideTooltip();
        return;
    default:
        return;
    }
}

// Pending items of the application first; when there were none, the idle
// tasks and then OnIdleWork for as long as it has work, within the budget.
void KIVDialog::RunIdleProcessing() {
    const DWORD start = ::GetTickCount();
    if (KIVApplication* app = KIVApplication::Get()) {
        if (app->RunPendingItems()) {
            idleCount_ = 0;
            return;
        }
        app->RunIdleTasks(idleCount_++);
    }
    while (OnIdleWork() && ::GetTickCount() - start < kIdleBudget) {
    }
}

void KIVDialog::ShowTooltip() {
    if (!mouseControl_ || !mouseControl_->HasTooltip())
        return;
    POINT at{mouseControl_->GetRect().left, mouseControl_->GetRect().bottom + 2};
    ::ClientToScreen(m_hWnd, &at);
    KIVTooltip::Get().Show(mouseControl_->GetTooltip(), at);
    StartTimer(kTooltipEndTimer, kTooltipShown);
}

void KIVDialog::HideTooltip() {
    StopTimer(kTooltipDelayTimer);
    StopTimer(kTooltipEndTimer);
    KIVTooltip::Get().Hide();
}
