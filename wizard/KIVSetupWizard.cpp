#include "wizard/KIVSetupWizard.h"

#include "toolkit/KIVSystem.h"
#include "wizard/KIVDialogCustomSetup.h"
#include "wizard/KIVDialogInstall.h"
#include "wizard/KIVDialogInstalling.h"
#include "wizard/KIVDialogLanguage.h"
#include "wizard/KIVDialogSetupComplete.h"
#include "wizard/KIVDialogSetupType.h"
#include "wizard/KIVDialogSoftwareLicense.h"
#include "wizard/KIVDialogUserInformation.h"

namespace {

template <typename Page> INT_PTR RunModalPage(DWORD style) {
    Page page(nullptr);
    return page.DoModal(style, 0);
}

} // namespace

INT_PTR KIVSetupWizard::RunPage(SetupPage page) {
    constexpr DWORD style = KIVDialogConfirmCancel::kPageStyle;
    switch (page) {
    case SetupPage::kLanguage:
        return RunModalPage<KIVDialogLanguage>(style);
    case SetupPage::kIntroduction:
        return RunModalPage<KIVDialogInstall>(style);
    case SetupPage::kLicence:
        return RunModalPage<KIVDialogSoftwareLicense>(style);
    case SetupPage::kUserInformation:
        return RunModalPage<KIVDialogUserInformation>(style);
    case SetupPage::kSetupType:
        return RunModalPage<KIVDialogSetupType>(style);
    case SetupPage::kCustom:
        return RunModalPage<KIVDialogCustomSetup>(style);
    case SetupPage::kInstalling:
        return RunModalPage<KIVDialogInstalling>(style);
    case SetupPage::kComplete:
        return RunModalPage<KIVDialogSetupComplete>(style);
    }
    return kPageCancelled;
}

int RunSetupProgram() {
    char16_t path[MAX_PATH] = {};
    const DWORD length = KIVGetModuleFileName(nullptr, path, MAX_PATH);
    SetupDriver driver;
    if (length == 0 || length >= MAX_PATH || !driver.Begin(path))
        return 0;
    KIVSetupWizard wizard(driver, driver.state.resourceBasePath);
    wizard.RunProgram(nullptr, nullptr, 1);
    return 0;
}
