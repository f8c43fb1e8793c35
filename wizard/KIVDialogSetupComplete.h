// KIVDialogSetupComplete: the last page. It offers up to three after-setup
// actions as check boxes (start the product, start it with Windows, run the
// listed programs); Finish records the choices, which the flow carries out
// once the page has closed. Finish is the default button.
//
// The page comes after a finished installation, when nothing can be undone:
// it offers Finish alone (no Cancel, no Back) and never asks whether to
// cancel. Escape does nothing: the key that abandons a page must not set off
// the checked actions, and there is nothing left to abandon. The window's
// close command is a deliberate end and acts as Finish. The box that starts
// the product, and the one that starts it with Windows, are offered only
// when the product's program was installed.
#pragma once

#include "wizard/KIVDialogConfirmCancel.h"

class KIVDialogSetupComplete : public KIVDialogConfirmCancel {
public:
    static constexpr LONG kTemplate = 15;
    static constexpr LONG kLaunch = 1000;
    static constexpr LONG kLaunchLabel = 1003;
    static constexpr LONG kStartup = 1004;
    static constexpr LONG kStartupLabel = 1005;
    static constexpr LONG kRunProgramsLabel = 1006;
    static constexpr LONG kRunPrograms = 1007;
    static constexpr LONG kFinish = kBackButton;

    explicit KIVDialogSetupComplete(CWnd* parent) : KIVDialogConfirmCancel(parent, kTemplate) {}

    void OnInitControls() override;
    void OnControlNotify(int kind, int id, int value, bool flag) override;
    bool TakeResponse(const SetupResponse& response, KIVString* refusal) override;
    void GoForward() override { Finish(); }
    void OnCancel() override {}
    void OnClose() override { Finish(); }

private:
    void OfferFinishOnly();
    bool ProductInstalled() const;
    bool IsChecked(LONG id) const;
    void SetCheck(LONG id, bool checked);
    void Finish();
};
