#include "wizard/KIVDialogSetupComplete.h"

#include "engine/InstalledTarget.h"
#include "toolkit/controls/KIVButtonCtrl.h"

void KIVDialogSetupComplete::OnInitControls() {
    KIVDialogConfirmCancel::OnInitControls();
    SetDefaultButton(kFinish);
    OfferFinishOnly();
    KIVInstallApp& app = App();
    const SetupDescription& d = app.state.description;
    const bool installed = ProductInstalled();
    if (!d.OptionFlag(kOptionOfferStartProduct) || !installed) {
        ShowControl(kLaunch, false);
        ShowControl(kLaunchLabel, false);
    }
    if (d.OptionFlag(kOptionStartupShortcut) && installed) {
        app.choices.startupShortcut = true;
        if (auto* box = dynamic_cast<KIVButtonCtrl*>(GetControl(kStartup)))
            box->SetChecked(1);
    } else {
        ShowControl(kStartup, false);
        ShowControl(kStartupLabel, false);
    }
    if (app.driver.runList.empty()) {
        ShowControl(kRunPrograms, false);
        ShowControl(kRunProgramsLabel, false);
    }
}

// The installation is over: nothing is left to cancel or to go back to, so
// Finish takes the place of Cancel and stands alone.
void KIVDialogSetupComplete::OfferFinishOnly() {
    KIVControl* cancel = GetControl(kCancelButton);
    KIVControl* finish = GetControl(kFinish);
    if (!cancel)
        return;
    if (finish) {
        const RECT place = cancel->GetRect();
        finish->Move(place.left, place.top, place.right - place.left, place.bottom - place.top, 0);
    }
    cancel->Show(false);
    cancel->Enable(false);
}

// The product's program: EXENAME with ".exe" in the installation folder. A
// setup whose chosen components left it out has nothing to start.
bool KIVDialogSetupComplete::ProductInstalled() const {
    const KIVInstallApp& app = App();
    if (app.state.variables.exeName.IsEmpty())
        return false;
    const KIVString program =
        app.state.variables.installDst + u"\\" + app.state.variables.exeName + u".exe";
    return IsInstalledTarget(program);
}

bool KIVDialogSetupComplete::IsChecked(LONG id) const {
    const auto* box = dynamic_cast<const KIVButtonCtrl*>(GetControl(id));
    return box && box->GetCheckedState() != 0;
}

void KIVDialogSetupComplete::SetCheck(LONG id, bool checked) {
    if (auto* box = dynamic_cast<KIVButtonCtrl*>(GetControl(id)))
        if (box->IsVisible())
            box->SetChecked(checked ? 1 : 0);
}

// An unattended setup starts nothing unless the response asks for it.
bool KIVDialogSetupComplete::TakeResponse(const SetupResponse& response, KIVString*) {
    SetCheck(kLaunch, response.launch.value_or(false));
    SetCheck(kRunPrograms, response.runPrograms.value_or(false));
    if (response.startupShortcut)
        SetCheck(kStartup, *response.startupShortcut);
    return true;
}

void KIVDialogSetupComplete::Finish() {
    SetupChoices& choices = App().choices;
    choices.launch = IsChecked(kLaunch);
    choices.startupShortcut = IsChecked(kStartup);
    choices.runPrograms = IsChecked(kRunPrograms);
    EndDialog(kOK);
}

void KIVDialogSetupComplete::OnControlNotify(int kind, int id, int value, bool flag) {
    if (kind == KIVControl::kNotifyClicked && id == kFinish) {
        if (flag)
            Finish();
        return;
    }
    KIVDialogConfirmCancel::OnControlNotify(kind, id, value, flag);
}
