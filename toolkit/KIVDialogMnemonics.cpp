// A dialog's mnemonics: Alt and a letter or digit act on the control whose
// caption marks that character with "&".
#include "toolkit/KIVDialog.h"

#include "toolkit/drawing/KIVPrefixText.h"

// The key's code is the upper-case letter or the digit ('A' to 'Z', '0' to
// '9'), which is how mnemonics compare; any other key with Alt is left to
// the window.
void KIVDialog::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    const bool letter = (nChar >= 'A' && nChar <= 'Z') || (nChar >= '0' && nChar <= '9');
    if (letter && HandleMnemonic(static_cast<char16_t>(nChar)))
        return;
    KIVWnd::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

// A dialog that has ended acts on nothing more: the character that follows
// a key which ended it is not a second answer.
bool KIVDialog::HandleMnemonic(char16_t key) {
    const char16_t folded = KIVPrefixText::Fold(key);
    if (folded == 0 || HasEnded())
        return false;
    KIVDialog* dialog = GetFocusDialog();
    for (int i = 0; i < dialog->ControlCount(); ++i) {
        KIVControl* control = dialog->ControlAt(i);
        if (control->IsVisible() && control->IsEnabled() && control->GetMnemonic() == folded &&
            control->OnMnemonic())
            return true;
    }
    return false;
}
