#include "wizard/KIVSetupWizard.h"

#include "platform/ui/DisplayBackend.h"
#include "platform/ui/headless/HeadlessBackend.h"
#include "platform/ui/script/IdleScript.h"
#include "setup/SetupLanguage.h"
#include "toolkit/KIVSystem.h"
#include "toolkit/KIVUtf8.h"
#include "wizard/KIVDialogCustomSetup.h"
#include "wizard/KIVDialogInstall.h"
#include "wizard/KIVDialogInstalling.h"
#include "wizard/KIVDialogLanguage.h"
#include "wizard/KIVDialogSetupComplete.h"
#include "wizard/KIVDialogSetupType.h"
#include "wizard/KIVDialogSoftwareLicense.h"
#include "wizard/KIVDialogUserInformation.h"

#include <cstdlib>

namespace {

template <typename Page> INT_PTR RunModalPage(DWORD style) {
    Page page(nullptr);
    return page.DoModal(style, 0);
}

int Refuse(const std::string& message) {
    std::fprintf(stderr, "setup: %s\n", message.c_str());
    return kExitFailed;
}

// The language code of /LANG=NAME; 0 when NAME is none of the four.
std::int32_t LanguageCodeOf(const std::string& name) {
    const KIVString wanted = KIVWideFromUtf8(name);
    for (std::int32_t code :
         {kLanguageEnglish, kLanguageFrench, kLanguageGerman, kLanguageJapanese})
        if (wanted.CompareNoCase(LanguageName(code)) == 0)
            return code;
    return 0;
}

// The command line's choices: the response file, then /D and /LANG over it.
bool ReadChoices(const SetupCommandLine& options, SetupResponse* response, std::int32_t* language,
                 std::string* error) {
    if (!options.responseFile.empty() &&
        !ReadSetupResponse(KIVWideFromUtf8(options.responseFile), response, error)) {
        *error = options.responseFile + ": " + *error;
        return false;
    }
    if (!options.folder.empty())
        response->folder = options.folder;
    if (!options.language.empty())
        response->language = options.language;
    *language = response->language ? LanguageCodeOf(*response->language) : 0;
    if (response->language && !*language) {
        *error = "unknown language \"" + *response->language + "\"";
        return false;
    }
    return true;
}

// The display of a setup with pages. Someone must answer them, a person at
// a screen or an input script: without either the setup would wait for ever.
bool TakeDisplayForPages(std::string* error) {
    const char* named = std::getenv("KIV_DISPLAY");
    if (ChooseDisplayKind(named, false) == DisplayKind::Unknown) {
        *error = std::string("KIV_DISPLAY=") + named + " names no display (headless or sdl2)";
        return false;
    }
    std::string headlessWhy;
    std::unique_ptr<DisplayBackend> display = CreateDisplayBackend(&headlessWhy);
    if (dynamic_cast<HeadlessBackend*>(display.get()) && !InputScriptGiven()) {
        *error = headlessWhy +
                 " and no input script (KIV_SCRIPT) answers the pages; run the setup on a "
                 "display, or unattended with /S";
        return false;
    }
    SetDisplayBackend(std::move(display));
    return true;
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

int RunSetupProgram(const std::vector<std::string>& args) {
    SetupCommandLine options;
    SetupResponse response;
    std::int32_t language = 0;
    std::string error;
    if (!ParseSetupCommandLine(args, &options, &error) ||
        !ReadChoices(options, &response, &language, &error))
        return Refuse(error);
    AllowCommandLineFiles(options);
    if (options.silent)
        SetDisplayBackend(std::make_unique<HeadlessBackend>());
    else if (!TakeDisplayForPages(&error))
        return Refuse(error);
    char16_t path[MAX_PATH] = {};
    const DWORD length = KIVGetModuleFileName(nullptr, path, MAX_PATH);
    SetupDriver driver;
    if (length == 0 || length >= MAX_PATH || !driver.Begin(path, language))
        return Refuse("the setup's own files cannot be used (program path or language folder)");
    KIVSetupWizard wizard(driver, driver.state.resourceBasePath);
    wizard.commandLine = options;
    wizard.response = response;
    if (!wizard.OpenLog(&error))
        return Refuse(error);
    wizard.RunProgram(nullptr, nullptr, 1);
    return wizard.Result();
}
