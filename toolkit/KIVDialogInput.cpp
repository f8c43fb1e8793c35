// A dialog's keyboard and mouse routing, its timers and its idle processing
// while modal.
#include "toolkit/KIVDialog.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/KIVTooltip.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"

namespace {

bool KeyHeld(int key) {
    return (::GetKeyState(key) & 0x8000) != 0;
}

} // namespace

// The focused control sees the key first; then Tab moves the focus, Enter
// presses a button (PressEnter) and Escape ends this dialog, or its
// parent's for a child dialog.
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
        PressEnter();
        return;
    case VK_ESCAPE:
        target->OnCancel();
        return;
    default:
        KIVWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

// A default button that is disabled or hidden makes Enter do nothing, as
// its click would.
void KIVDialog::PressEnter() {
    if (KIVTextButtonCtrl* focused = GetFocusDialog()->FocusedPushButton()) {
        focused->Click();
        return;
    }
    KIVDialog* target = ParentDialog() ? ParentDialog() : this;
    KIVTextButtonCtrl* button = target->DefaultButton();
    if (!button)
        target->OnOK();
    else if (button->IsVisible() && button->IsEnabled())
        button->Click();
}

void KIVDialog::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (KIVControl* focused = GetFocusDialog()->FocusedControl())
        focused->OnKeyUp(nChar, nRepCnt, nFlags);
}

// A character the focused control leaves may be a mnemonic when that
// control takes no characters (a button), or when nothing has the focus.
void KIVDialog::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    KIVControl* focused = GetFocusDialog()->FocusedControl();
    if (focused && !focused->OnChar(nChar, nRepCnt, nFlags))
        return;
    if (!focused || !focused->WantsCharacters())
        HandleMnemonic(static_cast<char16_t>(nChar));
}

KIVControl* KIVDialog::ControlAtPoint(POINT point) const {
    for (auto control = controls_.rbegin(); control != controls_.rend(); ++control)
        if ((*control)->IsEnabled() && (*control)->HitTest(point))
            return control->get();
    return nullptr;
}

// The control pressed keeps the mouse (the window's capture) until the
// button is released, so that a drag or a press-and-leave ends with it.
void KIVDialog::OnLButtonDown(UINT nFlags, POINT point) {
    if (KIVControl* control = Press(point))
        control->OnMouseDown(point, nFlags);
}

void KIVDialog::OnLButtonDblClk(UINT nFlags, POINT point) {
    if (KIVControl* control = Press(point))
        control->OnDoubleClick(point, nFlags);
}

KIVControl* KIVDialog::Press(POINT point) {
    KIVControl* control = ControlAtPoint(point);
    if (!control)
        return nullptr;
    TrackMouse(control);
    pressedControl_ = control;
    ::SetCapture(m_hWnd);
    return control;
}

void KIVDialog::OnLButtonUp(UINT nFlags, POINT point) {
    KIVControl* control = pressedControl_ ? pressedControl_ : ControlAtPoint(point);
    pressedControl_ = nullptr;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (control)
        control->OnMouseUp(point, nFlags);
    TrackMouse(ControlAtPoint(point));
}

// Another window took the mouse: the press ends without a release.
void KIVDialog::OnCaptureChanged(CWnd*) {
    pressedControl_ = nullptr;
}

// While a control is pressed it alone hears the moves; otherwise the control
// under the mouse does, and the one the mouse left is told.
void KIVDialog::OnMouseMove(UINT nFlags, POINT point) {
    if (pressedControl_) {
        pressedControl_->OnMouseMove(point, nFlags);
        return;
    }
    KIVControl* control = ControlAtPoint(point);
    TrackMouse(control);
    if (control)
        control->OnMouseMove(point, nFlags);
}

// A move onto another control restarts the tooltip's delay; leaving the
// control hides a tooltip that is shown.
void KIVDialog::TrackMouse(KIVControl* control) {
    if (control == mouseControl_)
        return;
    HideTooltip();
    KIVControl* left = mouseControl_;
    mouseControl_ = control;
    if (left)
        left->OnMouseLeave();
    if (control && control->HasTooltip())
        StartTimer(kTooltipDelayTimer, kTooltipDelay);
}

// The wheel goes to the control under the mouse, else to the focused one.
BOOL KIVDialog::OnMouseWheel(UINT nFlags, short zDelta, POINT pt) {
    POINT client = pt;
    ::ScreenToClient(m_hWnd, &client);
    KIVControl* control = ControlAtPoint(client);
    if (!control)
        control = GetFocusDialog()->FocusedControl();
    if (control)
        control->OnMouseWheel(zDelta, nFlags);
    return TRUE;
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
    const KIVApplication* app = KIVApplication::Get();
    if (!mouseControl_ || !mouseControl_->HasTooltip() || (app && !app->IsEnabled()))
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
