// KIVDialogConfirmCancel: the base of the wizard pages. Enter goes to the
// next page, the close box counts as Cancel, Cancel ends the page only when
// the user confirms it, and the page's window rectangle is kept for the next
// page. Results: 2 Cancel, 13 Back, 14 Next.
#pragma once

#include "toolkit/KIVDialog.h"

class KIVDialogConfirmCancel : public KIVDialog {
public:
    using KIVDialog::KIVDialog;

    virtual void OnNext() { EndDialog(kNext); }
    virtual void OnBack() { EndDialog(kBack); }
    void OnOK() override { OnNext(); }
    void OnClose() override { OnCancel(); }
    void OnCancel() override;
    void EndDialog(int result) override;

    // Asks the user whether to cancel; true for Yes.
    virtual bool ConfirmCancel() = 0;
    // The window rectangle of the page that ended last (empty before).
    static const RECT& LastPageRect();
};
