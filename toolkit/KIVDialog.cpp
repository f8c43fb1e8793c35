// A dialog's life, its control list and the keyboard focus among them.
#include "toolkit/KIVDialog.h"

#include "toolkit/KIVControlLookup.h"
#include "toolkit/KIVThread.h"
#include "toolkit/controls/KIVTextButtonCtrl.h"
#include "toolkit/drawing/KIVWindowFrame.h"
#include "toolkit/resources/KIVFont.h"

namespace {

// The dialog whose control has the keyboard focus, process-wide: giving the
// focus to one control takes it from every other dialog's.
KIVDialog* g_focusDialog = nullptr;

void FlushDialogDrawing(KIVDialog* dialog, const RECT& rect) {
    dialog->ShowBuffer(rect);
}

} // namespace

KIVDialog::KIVDialog(CWnd* parent, LONG dialogId, const char16_t* alternativeFile)
    : parent_(parent), dialogId_(dialogId),
      alternativeFile_(alternativeFile ? alternativeFile : u"") {
    InitializeCriticalSection(&drawingLock_);
    KIVThread::SetDrawingFlusher(&FlushDialogDrawing);
    KIVRegisterControlLookup();
}

KIVDialog::~KIVDialog() {
    if (g_focusDialog == this)
        g_focusDialog = nullptr;
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    controls_.clear();
    DeleteCriticalSection(&drawingLock_);
}

KIVControl* KIVDialog::AddControl(std::unique_ptr<KIVControl> control) {
    control->SetDialog(this);
    controls_.push_back(std::move(control));
    return controls_.back().get();
}

KIVControl* KIVDialog::ReplaceControl(KIVControl* old, std::unique_ptr<KIVControl> replacement) {
    const int index = IndexOf(old);
    if (index < 0)
        return nullptr;
    KIVControl* control = replacement.get();
    control->SetDialog(this);
    control->SetContainer(old->GetContainer());
    if (KIVControl* container = old->GetContainer())
        container->ReplaceMember(old, control);
    if (mouseControl_ == old)
        mouseControl_ = nullptr;
    if (pressedControl_ == old)
        pressedControl_ = nullptr;
    controls_[index] = std::move(replacement);
    control->RequestFullDraw();
    return control;
}

KIVControl* KIVDialog::GetControl(LONG id) const {
    for (const auto& control : controls_)
        if (control->GetId() == id)
            return control.get();
    return nullptr;
}

int KIVDialog::IndexOf(const KIVControl* control) const {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i].get() == control)
            return static_cast<int>(i);
    return -1;
}

KIVControl* KIVDialog::FocusedControl() const {
    return focus_ >= 0 ? controls_[focus_].get() : nullptr;
}

KIVDialog* KIVDialog::ParentDialog() const {
    if (!m_hWnd || !(GetStyle() & WS_CHILD))
        return nullptr;
    return dynamic_cast<KIVDialog*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

KIVDialog* KIVDialog::GetFocusDialog() {
    if (focus_ >= 0)
        return this;
    KIVDialog* parent = ParentDialog();
    if (parent && parent->focus_ >= 0)
        return parent;
    return this;
}

namespace {

KIVTextButtonCtrl* AsPushButton(KIVControl* control) {
    auto* button = dynamic_cast<KIVTextButtonCtrl*>(control);
    return button && !button->IsToggle() ? button : nullptr;
}

} // namespace

KIVTextButtonCtrl* KIVDialog::DefaultButton() const {
    for (const auto& control : controls_)
        if (KIVTextButtonCtrl* button = AsPushButton(control.get()); button && button->IsDefault())
            return button;
    return nullptr;
}

void KIVDialog::SetDefaultButton(LONG id) {
    for (const auto& control : controls_)
        if (KIVTextButtonCtrl* button = AsPushButton(control.get()))
            button->SetDefault(button->GetId() == id);
}

KIVTextButtonCtrl* KIVDialog::FocusedPushButton() const {
    return AsPushButton(FocusedControl());
}

// The default button's look depends on which control has the focus.
void KIVDialog::RedrawDefaultButton() const {
    if (KIVTextButtonCtrl* button = DefaultButton())
        button->RequestDraw();
}

void KIVDialog::DropFocus() {
    KIVControl* previous = FocusedControl();
    focus_ = -1;
    if (previous) {
        previous->OnFocusChanged(false);
        RedrawDefaultButton();
    }
}

void KIVDialog::SetFocusControl(LONG id) {
    if (g_focusDialog && g_focusDialog != this)
        g_focusDialog->DropFocus();
    if (KIVDialog* parent = ParentDialog())
        parent->DropFocus();
    int index = -1;
    for (int i = 0; i < ControlCount(); ++i)
        if (controls_[i]->GetId() == id)
            index = i;
    if (index == focus_)
        return;
    DropFocus();
    focus_ = index;
    g_focusDialog = index >= 0 ? this : nullptr;
    if (index >= 0) {
        controls_[index]->OnFocusChanged(true);
        RedrawDefaultButton();
    }
}

// Walks the list cyclically from the focused control (from the end when
// none has it); the focus is dropped when no control can take it.
void KIVDialog::MoveFocus(int step) {
    const int count = ControlCount();
    if (count == 0)
        return;
    int at = focus_ >= 0 ? focus_ : (step > 0 ? count - 1 : 0);
    for (int walked = 0; walked < count; ++walked) {
        at = (at + step + count) % count;
        if (controls_[at]->CanTakeFocus()) {
            SetFocusControl(controls_[at]->GetId());
            return;
        }
    }
    if (focus_ >= 0 && !controls_[focus_]->CanTakeFocus())
        DropFocus();
}

void KIVDialog::FocusNext() {
    MoveFocus(1);
}

void KIVDialog::FocusPrevious() {
    MoveFocus(-1);
}

bool KIVDialog::GetInputPosition(POINT* clientPoint, int* lineHeight) const {
    const KIVControl* control = FocusedControl();
    const KIVFont* font = control ? control->GetFont() : nullptr;
    if (!font)
        return false;
    *clientPoint = control->GetInputPoint();
    *lineHeight = font->LineHeight();
    return true;
}

void KIVDialog::SetTitle(const char16_t* title) {
    title_ = title;
    if (framed_)
        Invalidate(KIVWindowFrame::Band(bufferWidth_));
    if (m_hWnd)
        ::SetWindowTextW(m_hWnd, title);
}
