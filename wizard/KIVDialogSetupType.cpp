#include "wizard/KIVDialogSetupType.h"

#include "toolkit/KIVUtf8.h"
#include "toolkit/controls/KIVButtonCtrl.h"

#include <cstring>

namespace {

KIVButtonCtrl* Radio(const KIVDialog& page, LONG id) {
    return dynamic_cast<KIVButtonCtrl*>(page.GetControl(id));
}

} // namespace

void EnableDefinedSetupTypes(KIVDialog& page, const SetupDescription& description) {
    for (LONG id : kSetupTypeRadios)
        if (KIVControl* control = page.GetControl(id))
            control->Enable(false);
    for (const auto& type : description.setupTypes)
        for (int number = 0; number < 3; ++number)
            if (std::strcmp(type->name, kSetupTypeNames[number]) == 0)
                if (KIVControl* control = page.GetControl(kSetupTypeRadios[number]))
                    control->Enable(true);
}

void KIVDialogSetupType::OnInitControls() {
    KIVDialogInstallFolder::OnInitControls();
    SetupState& state = App().state;
    EnableDefinedSetupTypes(*this, state.description);
    const std::int32_t number = state.setupTypeNumber;
    if (number >= 0 && number < 3)
        if (KIVButtonCtrl* radio = Radio(*this, kSetupTypeRadios[number]))
            radio->SetChecked(1);
    SetControlText(kFolder, state.variables.installDst);
}

LONG KIVDialogSetupType::StartFocus() const {
    for (LONG id : kSetupTypeRadios)
        if (const KIVButtonCtrl* radio = Radio(*this, id); radio && radio->IsChecked())
            return id;
    return kSetupTypeRadios[0];
}

// The last checked radio wins; with none checked the setup type stays.
void KIVDialogSetupType::ReadPage() {
    SetupState& state = App().state;
    for (int number = 0; number < 3; ++number) {
        const KIVButtonCtrl* radio = Radio(*this, kSetupTypeRadios[number]);
        if (radio && radio->IsChecked())
            state.setupTypeNumber = number;
    }
    ReadFolder();
}

// The response's setup type is checked as a click would check it, when the
// page offers it; its folder goes into the folder field.
bool KIVDialogSetupType::TakeResponse(const SetupResponse& response, KIVString* refusal) {
    if (response.folder)
        SetControlText(kFolder, KIVWideFromUtf8(*response.folder));
    if (!response.setupType)
        return true;
    for (int number = 0; number < 3; ++number) {
        KIVButtonCtrl* radio = Radio(*this, kSetupTypeRadios[number]);
        if (!radio || !radio->IsEnabled() ||
            KIVString(kSetupTypeNames[number]).CompareNoCase(KIVWideFromUtf8(*response.setupType)))
            continue;
        for (LONG other : kSetupTypeRadios)
            if (KIVButtonCtrl* button = Radio(*this, other))
                button->SetChecked(other == kSetupTypeRadios[number] ? 1 : 0);
        return true;
    }
    *refusal = u"the setup type \"" + KIVWideFromUtf8(*response.setupType) + u"\" is not offered";
    return false;
}

void KIVDialogSetupType::OnNext() {
    ReadPage();
    if (App().state.setupTypeNumber == kSetupCustom) {
        EndDialog(kNext);
        return;
    }
    DiskSpaceCheck();
}

void KIVDialogSetupType::OnBack() {
    ReadPage();
    EndDialog(kBack);
}

void KIVDialogSetupType::OnControlNotify(int kind, int id, int value, bool flag) {
    if (kind == KIVControl::kNotifyClicked && id == kBrowse) {
        if (flag)
            BrowseForFolder();
        return;
    }
    KIVDialogInstallFolder::OnControlNotify(kind, id, value, flag);
}
