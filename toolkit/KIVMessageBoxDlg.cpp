#include "toolkit/KIVMessageBoxDlg.h"

#include "toolkit/KIVApplication.h"
#include "toolkit/controls/KIVButtonCtrl.h"

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

// Escape or the close box: the set's way out, whatever was stored.
void KIVMessageBoxDlg::OnCancel() {
    const int set = SetValue();
    if (set & 0x2)
        *result_ = IDCANCEL;
    else if (set & 0x8)
        *result_ = IDNO;
    else if (set & 0x100)
        *result_ = IDIGNORE;
    else
        *result_ = IDOK;
    EndDialog(kCancel);
}

void KIVMessageBoxDlg::OnClose() {
    if (HasButton(kCancelButton)) {
        *result_ = IDCANCEL;
        EndDialog(kCancel);
    } else if (HasButton(kOKButton)) {
        *result_ = IDOK;
        EndDialog(kOK);
    }
}

bool KIVMessageBoxDlg::HasButton(LONG id) const {
    const std::vector<LONG>& buttons = FindSet(SetValue()).buttons;
    return std::find(buttons.begin(), buttons.end(), id) != buttons.end();
}

bool KIVMessageBoxDlg::PressFirstOf(std::initializer_list<LONG> ids) {
    for (LONG id : ids)
        if (auto* button = dynamic_cast<KIVButtonCtrl*>(GetControl(id))) {
            button->Click();
            return true;
        }
    return false;
}

// Letters stand for the buttons (A abort or "all", C cancel, D or N no, H
// help, I ignore, O OK, R retry, S or Y yes); Space is OK.
void KIVMessageBoxDlg::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    bool taken = true;
    switch (nChar) {
    case 'A':
        taken = PressFirstOf({104, 111, 112});
        break;
    case 'C':
        taken = PressFirstOf({103});
        break;
    case 'D':
    case 'N':
        taken = PressFirstOf({108, 112});
        break;
    case 'H':
        taken = PressFirstOf({110});
        break;
    case 'I':
        taken = PressFirstOf({106});
        break;
    case 'O':
        taken = PressFirstOf({102});
        break;
    case 'R':
        taken = PressFirstOf({105});
        break;
    case 'S':
    case 'Y':
        taken = PressFirstOf({107, 111});
        break;
    case VK_SPACE:
        OnControlNotify(KIVControl::kNotifyClicked, IDOK, 0, false);
        break;
    default:
        taken = false;
    }
    if (!taken)
        KIVDialog::OnKeyDown(nChar, nRepCnt, nFlags);
}
