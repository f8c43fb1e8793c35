// A dialog's window: made from an empty in-memory template, run modally or
// modeless, and ended.
#include "toolkit/KIVDialog.h"

#include "platform/ui/WindowCreateHook.h"

namespace {

// WS_CLIPSIBLINGS | WS_CLIPCHILDREN, added to every dialog's style.
constexpr DWORD kClipStyles = 0x6000000;

// A dialog template without controls: no menu, the default class, no title.
struct EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

std::vector<HWND>& Stack() {
    static std::vector<HWND> stack;
    return stack;
}

} // namespace

INT_PTR KIVDialogProcedure(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG)
        return FALSE;
    if (auto* dialog = dynamic_cast<KIVDialog*>(CWnd::FromHandlePermanent(hwnd)))
        dialog->OnInitDialog();
    return TRUE;
}

const std::vector<HWND>& KIVDialog::ModalStack() {
    return Stack();
}

bool KIVDialog::MakeWindow(DWORD style, DWORD exStyle, HWND owner) {
    EmptyTemplate dialogTemplate{};
    dialogTemplate.header = DLGTEMPLATE{style | kClipStyles, exStyle, 0, 20, 20, 100, 100};
    // A dialog object run again makes its controls again.
    if (initialised_) {
        controls_.clear();
        focus_ = -1;
        mouseControl_ = nullptr;
        pressedControl_ = nullptr;
    }
    ended_ = false;
    initialised_ = false;
    HookWindowCreate();
    const HWND hwnd = ::CreateDialogIndirectParamA(nullptr, &dialogTemplate.header, owner,
                                                   &KIVDialogProcedure, 0);
    SetWindowCreateHook(nullptr, nullptr);
    return hwnd && hwnd == m_hWnd;
}

// The parent's window or the application's main window; while toolkit
// dialogs run modally, the latest of them.
HWND KIVDialog::ModalOwner() const {
    if (!Stack().empty())
        return Stack().back();
    if (parent_ && parent_->GetSafeHwnd())
        return parent_->GetSafeHwnd();
    CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

namespace {

// The toolkit dialog of a window, while the window lasts.
KIVDialog* DialogOf(HWND hwnd) {
    return hwnd && ::IsWindow(hwnd) ? dynamic_cast<KIVDialog*>(CWnd::FromHandlePermanent(hwnd))
                                    : nullptr;
}

LONG FocusedId(const KIVDialog* dialog) {
    const KIVControl* control = dialog ? dialog->FocusedControl() : nullptr;
    return control ? control->GetId() : 0;
}

} // namespace

// The owner's focused control has the focus again once the dialog ends, as
// the keyboard left it.
INT_PTR KIVDialog::DoModal(DWORD style, DWORD exStyle) {
    ::ReleaseCapture();
    const HWND owner = ModalOwner();
    const LONG ownerFocus = FocusedId(DialogOf(owner));
    const bool disabledOwner = owner && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);
    modal_ = true;
    INT_PTR result = -1;
    if (MakeWindow(style, exStyle, owner)) {
        Stack().push_back(m_hWnd);
        RunModal(style);
        result = endResult_;
        Stack().pop_back();
    }
    modal_ = false;
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd && ::GetActiveWindow() == m_hWnd && owner)
        ::SetActiveWindow(owner);
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    if (KIVDialog* ownerDialog = DialogOf(owner); ownerDialog && ownerFocus)
        ownerDialog->SetFocusControl(ownerFocus);
    return result;
}

void KIVDialog::RunModal(DWORD style) {
    if (ended_)
        return;
    StartTimer(kIdleTimer, kIdlePeriod);
    RunModalLoop(MLF_SHOWONIDLE | ((style & DS_NOIDLEMSG) ? MLF_NOIDLEMSG : 0));
    StopTimer(kIdleTimer);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

bool KIVDialog::Create(DWORD style, DWORD exStyle) {
    const HWND owner = parent_ ? parent_->GetSafeHwnd() : nullptr;
    return MakeWindow(style, exStyle, owner);
}

// A modeless dialog is hidden at its end; its window lasts as long as the
// object, so that a caller still in one of its handlers finds it there.
void KIVDialog::EndDialog(int result) {
    endResult_ = result;
    ended_ = true;
    if (!m_hWnd)
        return;
    ::EndDialog(m_hWnd, result);
    if (!modal_)
        ::ShowWindow(m_hWnd, SW_HIDE);
}

void KIVDialog::OnControlNotify(int kind, int id, int, bool) {
    if (kind != KIVControl::kNotifyClicked || RouteCommand(id))
        return;
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
}
