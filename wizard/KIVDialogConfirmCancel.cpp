#include "wizard/KIVDialogConfirmCancel.h"

#include "setup/SetupTexts.h"
#include "toolkit/controls/KIVPictureCtrl.h"

KIVDialogConfirmCancel::KIVDialogConfirmCancel(CWnd* parent, LONG templateId)
    : KIVDialog(parent, templateId) {}

KIVDialogConfirmCancel::~KIVDialogConfirmCancel() = default;

void KIVDialogConfirmCancel::OnInitControls() {
    app_ = KIVInstallApp::Get();
    if (auto* picture = dynamic_cast<KIVPictureCtrl*>(GetControl(kSideImage))) {
        if (app_->images.leftImage) {
            picture->SetPicture(app_->images.leftImage.get());
            picture->InvalidateRect();
        } else {
            LayOutWithoutSideImage(*picture);
        }
    }
    SetDefaultButton(kNextButton);
    if (app_->IsFirstPage())
        EnableControl(kBackButton, false);
    PlacePage();
    if (app_->Unattended())
        ::PostMessageW(m_hWnd, kReplayMessage, 0, 0);
}

// Without a side image its column is given to the page's text: the picture
// control is hidden and every control right of it is stretched from the
// column's start to the right margin (x' = left + (x - from) * k), so that
// the page keeps its proportions. Push buttons keep their places, as the
// row of Back, Next and Cancel does.
void KIVDialogConfirmCancel::LayOutWithoutSideImage(KIVControl& picture) {
    const RECT column = picture.GetRect();
    picture.Show(false);
    const int from = column.right + kColumnGap;
    const int right = BufferWidth() - column.left;
    if (right <= from)
        return;
    auto map = [&](LONG x) {
        return static_cast<int>(column.left + (static_cast<long long>(x) - from) *
                                                  (right - column.left) / (right - from));
    };
    for (int i = 0; i < ControlCount(); ++i) {
        KIVControl& control = *ControlAt(i);
        const RECT& rect = control.GetRect();
        if (&control == &picture || rect.left < from || control.TypeCode() == kPushButtonType)
            continue;
        const int left = map(rect.left);
        control.Move(left, rect.top, map(rect.right) - left, rect.bottom - rect.top, 0);
    }
}

// The first page is centred below the full-screen title, or stays where its
// layout put it; every later page opens where the last one was left.
void KIVDialogConfirmCancel::PlacePage() {
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    KIVInstallApp& app = *app_;
    if (!app.hasPageRect) {
        if (app.FullScreen()) {
            const int x = (app.screenWidth - w) / 2;
            int y = (app.screenHeight - h) / 2;
            const int title = app.TitleBottom();
            if (y < title + 20)
                y = title + h + 40 > app.screenHeight ? app.screenHeight - h - 20 : title + 20;
            app.pageRect = RECT{x, y, x + w, y + h};
        } else {
            app.pageRect = window;
        }
        app.hasPageRect = true;
    }
    app.pageRect.right = app.pageRect.left + w;
    app.pageRect.bottom = app.pageRect.top + h;
    ::SetWindowPos(m_hWnd, nullptr, app.pageRect.left, app.pageRect.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
}

void KIVDialogConfirmCancel::EndDialog(int result) {
    if (m_hWnd && app_) {
        ::GetWindowRect(m_hWnd, &app_->pageRect);
        app_->hasPageRect = true;
    }
    KIVDialog::EndDialog(result);
}

void KIVDialogConfirmCancel::OnOK() {
    const KIVControl* next = GetControl(kNextButton);
    if (!next || (next->IsVisible() && next->IsEnabled()))
        OnNext();
}

void KIVDialogConfirmCancel::OnCancel() {
    const KIVString question = FormatTextArguments(app_->GetText(kTextCancelQuestion),
                                                   {app_->state.variables.longAppName});
    if (Message(question, 0x2000c) == IDYES)
        EndDialog(kCancel);
}

void KIVDialogConfirmCancel::OnControlNotify(int kind, int id, int value, bool flag) {
    if (kind == KIVControl::kNotifyClicked &&
        (id == kBackButton || id == kNextButton || id == kCancelButton)) {
        if (!flag)
            return;
        if (id == kBackButton)
            OnBack();
        else if (id == kNextButton)
            OnNext();
        else
            OnCancel();
        return;
    }
    KIVDialog::OnControlNotify(kind, id, value, flag);
}

LRESULT KIVDialogConfirmCancel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kReplayMessage) {
        ReplayResponse();
        return 0;
    }
    return KIVDialog::WindowProc(message, wParam, lParam);
}

void KIVDialogConfirmCancel::ReplayResponse() {
    KIVString refusal;
    if (TakeResponse(app_->response, &refusal))
        GoForward();
    if (HasEnded())
        return;
    app_->RefuseResponse(refusal);
    KIVDialog::EndDialog(kCancel);
}

bool KIVDialogConfirmCancel::TakeResponse(const SetupResponse&, KIVString*) {
    return true;
}

int KIVDialogConfirmCancel::Message(int textId, DWORD style) {
    return Message(app_->GetText(textId), style);
}

int KIVDialogConfirmCancel::Message(int textId, const char16_t* first, const char16_t* second,
                                    DWORD style) {
    return Message(FormatTextArguments(app_->GetText(textId), {first, second}), style);
}

int KIVDialogConfirmCancel::Message(const char16_t* text, DWORD style) {
    return app_->ShowMessage(this, text, style);
}

KIVString KIVDialogConfirmCancel::ControlText(LONG id) const {
    char16_t text[260] = {};
    if (const KIVControl* control = GetControl(id))
        control->GetText(text, 260);
    return KIVString(text);
}

void KIVDialogConfirmCancel::SetControlText(LONG id, const char16_t* text) {
    if (KIVControl* control = GetControl(id))
        control->SetText(text);
}

void KIVDialogConfirmCancel::ShowControl(LONG id, bool show) {
    if (KIVControl* control = GetControl(id))
        control->Show(show);
}

void KIVDialogConfirmCancel::EnableControl(LONG id, bool enable) {
    if (KIVControl* control = GetControl(id))
        control->Enable(enable);
}
