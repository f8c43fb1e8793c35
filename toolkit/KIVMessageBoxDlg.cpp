#include "toolkit/KIVMessageBoxDlg.h"

#include "toolkit/KIVApplication.h"

#include <algorithm>

KIVMessageBoxDlg::KIVMessageBoxDlg(CWnd* owner, const char16_t* text, const char16_t* caption,
                                   DWORD flags, int* result, int helpTopic)
    : KIVDialog(owner, -1), text_(text ? text : u""), caption_(caption ? caption : u""),
      flags_(flags), result_(result ? result : &ownResult_), iconId_(IconOf(flags)),
      helpTopic_(helpTopic) {
    *result_ = 0;
}

int KIVMessageBoxDlg::Run() {
    DoModal(WS_POPUP, 0);
    return *result_;
}

// A button's answer is its identifier - 101; Help opens its topic first.
void KIVMessageBoxDlg::OnControlNotify(int kind, int id, int value, bool flag) {
    if (kind != KIVControl::kNotifyClicked || id < kFirstButton || id > kLastButton) {
        KIVDialog::OnControlNotify(kind, id, value, flag);
        return;
    }
    if (id == kHelpButton)
        if (KIVApplication* app = KIVApplication::Get())
            app->ShowHelp(helpTopic_);
    *result_ = id - 101;
    OnOK();
}

// Enter without a button: the answer of the set's default button, the one
// drawn as the default (the set's own bits would make Enter answer No on
// 1034 and Abort on 194, where Yes and Retry are shown as the default).
void KIVMessageBoxDlg::OnOK() {
    if (*result_ == 0)
        *result_ = FindSet(SetValue()).defaultButton - 101;
    EndDialog(kOK);
}

// Escape and the close box answer as the platform's own box does: Cancel
// when the box has a Cancel button, else OK when it has OK; a box with
// neither (Yes and No, Abort, Retry and Ignore) stays open, its question
// being answered only by its buttons.
void KIVMessageBoxDlg::OnCancel() {
    if (HasButton(kCancelButton)) {
        *result_ = IDCANCEL;
        EndDialog(kCancel);
    } else if (HasButton(kOKButton)) {
        *result_ = IDOK;
        EndDialog(kOK);
    }
}

void KIVMessageBoxDlg::OnClose() {
    OnCancel();
}

bool KIVMessageBoxDlg::HasButton(LONG id) const {
    const std::vector<LONG>& buttons = FindSet(SetValue()).buttons;
    return std::find(buttons.begin(), buttons.end(), id) != buttons.end();
}
