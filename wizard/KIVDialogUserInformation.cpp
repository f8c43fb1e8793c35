#include "wizard/KIVDialogUserInformation.h"

#include "toolkit/KIVUtf8.h"

void KIVDialogUserInformation::OnInitControls() {
    KIVDialogConfirmCancel::OnInitControls();
    SetupState& state = App().state;
    const bool name = state.description.OptionFlag(kOptionUserNameField);
    const bool company = state.description.OptionFlag(kOptionCompanyField);
    if (name) {
        SetControlText(kUserName, state.variables.userName);
    } else {
        ShowControl(kUserNameLabel, false);
        ShowControl(kUserName, false);
    }
    if (company) {
        SetControlText(kCompany, state.variables.company);
    } else {
        ShowControl(kCompanyLabel, false);
        ShowControl(kCompany, false);
    }
    if (name && company)
        SetControlText(kExplanation, App().GetText(kTextBothFields));
}

LONG KIVDialogUserInformation::StartFocus() const {
    const KIVControl* name = GetControl(kUserName);
    return name && name->IsVisible() ? kUserName : kCompany;
}

// The fields the page shows take the response's texts.
bool KIVDialogUserInformation::TakeResponse(const SetupResponse& response, KIVString*) {
    const SetupDescription& d = App().state.description;
    if (response.userName && d.OptionFlag(kOptionUserNameField))
        SetControlText(kUserName, KIVWideFromUtf8(*response.userName));
    if (response.company && d.OptionFlag(kOptionCompanyField))
        SetControlText(kCompany, KIVWideFromUtf8(*response.company));
    return true;
}

void KIVDialogUserInformation::ReadFields() {
    SetupVariables& variables = App().state.variables;
    variables.userName = ControlText(kUserName);
    variables.company = ControlText(kCompany);
}

void KIVDialogUserInformation::OnNext() {
    ReadFields();
    EndDialog(kNext);
}

void KIVDialogUserInformation::OnBack() {
    ReadFields();
    EndDialog(kBack);
}
