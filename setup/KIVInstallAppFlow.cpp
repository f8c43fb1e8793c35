// The setup flow of KIVInstallApp, run once from the first idle pass: the
// start-up steps, the page sequence with its Back and Next rules, the
// installation and what follows it, the after-setup actions and the orderly
// exit. No path leads back into the message loop.
#include "setup/KIVInstallApp.h"

#include "engine/RunEntryPrograms.h"
#include "engine/ShortcutName.h"
#include "setup/SetupLanguage.h"
#include "setup/SetupTexts.h"
#include "toolkit/drawing/KIVPainter.h"

#include "platform/Windows.h"

#include <utility>

namespace {

// Messages of the images, shown over the background window.
void ShowImageMessage(const char16_t* text) {
    if (KIVInstallApp* app = KIVInstallApp::Get())
        app->ShowMessage(nullptr, text, 0x10001);
}

bool IsNext(INT_PTR result) {
    return result == kPageNext || result == kPageFinish;
}

} // namespace

const char* SetupPageName(SetupPage page) {
    switch (page) {
    case SetupPage::kLanguage:
        return "language";
    case SetupPage::kIntroduction:
        return "introduction";
    case SetupPage::kLicence:
        return "licence";
    case SetupPage::kUserInformation:
        return "user information";
    case SetupPage::kSetupType:
        return "setup type";
    case SetupPage::kCustom:
        return "custom setup";
    case SetupPage::kInstalling:
        return "progress";
    case SetupPage::kComplete:
        return "completion";
    }
    return "unknown";
}

void KIVInstallApp::RunFlow() {
    PaintGradient();
    const bool started = StartUp();
    LogStart();
    if (!started) {
        SetResult(driver.FailedStep() == SetupStep::kBusy ? kExitAlreadyRunning : kExitFailed);
        ShowStartUpFailure();
        OrderlyExit();
        return;
    }
    RepaintBackground();
    RunPageSequence();
    AfterSetup();
    OrderlyExit();
}

void KIVInstallApp::PaintGradient() {
    background_->FillGradient();
    background_->Repaint();
}

// The steps that show no page come from the driver, shared with kivtool
// install; the background window, the images and a language the product
// does not offer are the program's own.
bool KIVInstallApp::StartUp() {
    const std::int32_t startLanguage = state.currentLanguage;
    if (!driver.StartUp())
        return false;
    if (FullScreen())
        ::ShowWindow(*background_, SW_SHOW);
    if (state.currentLanguage != startLanguage)
        LoadLanguage(state.setupFolder + u"\\" + state.resourceBasePath, nullptr);
    SetupImageScreen screen{background_->ScreenPicture(), screenWidth, screenHeight,
                            ::GetSystemMetrics(SM_CYFRAME)};
    LoadSetupImages(driver, &screen, ShowImageMessage, &images);
    return true;
}

void KIVInstallApp::ShowStartUpFailure() {
    const DWORD style = driver.FailedStep() == SetupStep::kSetupPackage ? 0x40001 : 0x10001;
    if (!driver.Failure().IsEmpty())
        ShowMessage(nullptr, driver.Failure(), style);
}

// One page, remembered as the page in force while it runs, and logged.
INT_PTR KIVInstallApp::ShowPage(SetupPage page) {
    currentPage_ = page;
    log.PageShown(SetupPageName(page));
    const INT_PTR result = RunPage(page);
    log.PageLeft(SetupPageName(page), !refusal_.IsEmpty()     ? "refused"
                                      : result == kPageNext   ? "next"
                                      : result == kPageBack   ? "back"
                                      : result == kPageFinish ? "finish"
                                                              : "cancelled");
    return result;
}

// A page ended the sequence: the setup was cancelled, unless a result is
// already set (a refused response). Always false.
bool KIVInstallApp::StopSequence() {
    if (result_ == kExitInstalled)
        SetResult(kExitCancelled);
    return false;
}

void KIVInstallApp::RunPageSequence() {
    int pageState = -1;
    bool more = true;
    while (more) {
        more = StepState(&pageState);
        RepaintBackground();
    }
}

// One state of the sequence: its page when the description shows it, then
// the next state. False when the sequence stops.
bool KIVInstallApp::StepState(int* pageState) {
    const SetupDescription& d = state.description;
    const auto step = [&](bool shown, SetupPage page, int next, int back) {
        if (!shown) {
            *pageState = next;
            return true;
        }
        const INT_PTR result = ShowPage(page);
        if (IsNext(result))
            *pageState = next;
        else if (result == kPageBack)
            *pageState = back;
        else
            return StopSequence();
        return true;
    };
    switch (*pageState) {
    case -1: {
        languageBeforePage_ = state.currentLanguage;
        if (!d.OptionFlag(kOptionLanguagePage)) {
            *pageState = 0;
            return true;
        }
        const INT_PTR result = ShowPage(SetupPage::kLanguage);
        CheckBuildKeys();
        *pageState = 0;
        return IsNext(result) || StopSequence();
    }
    case 0:
        TakeChosenLanguage();
        return step(d.OptionFlag(kOptionIntroductionPage), SetupPage::kIntroduction, 1, -1);
    case 1:
        return step(d.OptionFlag(kOptionLicencePage), SetupPage::kLicence,
                    d.OptionFlag(kOptionUserInformationPage) ? 2 : 3, 0);
    case 2:
        return step(d.OptionFlag(kOptionUserInformationPage), SetupPage::kUserInformation, 3, 1);
    case 3:
        // The page chooses the setup type that decides where its Next goes.
        if (!step(d.OptionFlag(kOptionSetupTypePage), SetupPage::kSetupType, 5,
                  d.OptionFlag(kOptionUserInformationPage) ? 2 : 1))
            return false;
        if (*pageState == 5 && d.OptionFlag(kOptionSetupTypePage) &&
            state.setupTypeNumber == kSetupCustom)
            *pageState = 4;
        return true;
    case 4:
        return step(true, SetupPage::kCustom, 5, 3);
    default:
        if (d.OptionFlag(kOptionInstall))
            Install();
        else
            RegistryOnly();
        return false;
    }
}

SetupPage KIVInstallApp::FirstPage() const {
    const SetupDescription& d = state.description;
    constexpr std::pair<int, SetupPage> kPages[] = {
        {kOptionLanguagePage, SetupPage::kLanguage},
        {kOptionIntroductionPage, SetupPage::kIntroduction},
        {kOptionLicencePage, SetupPage::kLicence},
        {kOptionUserInformationPage, SetupPage::kUserInformation},
        {kOptionSetupTypePage, SetupPage::kSetupType},
    };
    for (const auto& [option, page] : kPages)
        if (d.OptionFlag(option))
            return page;
    return SetupPage::kInstalling;
}

// Before the introduction: the language chosen on the language page, when it
// differs from the one before it, brings its resources; the size units come
// from the language in force.
void KIVInstallApp::TakeChosenLanguage() {
    KIVString resourcePath;
    if (SwitchLanguage(state, languageBeforePage_, &resourcePath))
        LoadLanguage(resourcePath, nullptr);
    languageBeforePage_ = state.currentLanguage;
    LoadSizeUnits();
}

// Control, Shift and the left mouse button held as the language page closes
// show the build number.
void KIVInstallApp::CheckBuildKeys() {
    if (::GetAsyncKeyState(VK_CONTROL) && ::GetAsyncKeyState(VK_SHIFT) &&
        ::GetAsyncKeyState(VK_LBUTTON)) {
        KIVString text;
        text.Format(u"Build %d", kBuildNumber);
        ShowMessage(nullptr, text, 1);
    }
}

void KIVInstallApp::Install() {
    // Without the setup type page and the custom page nothing would choose
    // what to install: the Typical setup type is installed then.
    if (!state.chosenSetupType)
        driver.ChooseSetupType(kSetupTypical);
    if (!TakeUnattendedFolder())
        return;
    RecordChoices();
    driver.PrepareInstallation();
    const INT_PTR result = ShowPage(SetupPage::kInstalling);
    const std::int32_t code = driver.worker.resultCode.load();
    if (result == kPageCancelled) {
        const bool failed = code >= kInstallCopyFailed && code <= kInstallRegistryFailed;
        SetResult(failed ? kExitFailed : kExitCancelled);
        if (failed)
            ShowMessage(nullptr, driver.worker.errorText, 0x10001);
        return;
    }
    if (code == kInstallSystemFilesFailed)
        ShowMessage(nullptr, driver.worker.errorText, 0x40001);
    if (!driver.MakeProgramGroups())
        ShowMessage(nullptr, SetupText(kTextProgramGroupFailed), 0x40001);
    if (FullScreen())
        DrawCentreCanvas();
    if (driver.RestartNeeded()) {
        // An unattended setup never restarts the machine: its question is
        // answered No, and the code tells the deploying script.
        SetResult(kExitRestartNeeded);
        const KIVString question =
            FormatSetupText(kTextRestartQuestion, KIVString(state.description.applicationName));
        if (ShowMessage(nullptr, question, 0x4000c) == IDYES)
            RestartMachine();
        return;
    }
    ShowPage(SetupPage::kComplete);
}

void KIVInstallApp::RegistryOnly() {
    if (driver.WriteRegistryOnly())
        return;
    SetResult(kExitFailed);
    ShowMessage(nullptr, SetupText(kTextRegistryFailed), 1);
}

// The part of the background under the pages, as it was before them, drawn
// back once the installation is over.
void KIVInstallApp::DrawCentreCanvas() {
    KIVPainter::DrawFrame(background_->ScreenPicture(), images.centreCanvas, images.canvasRect.left,
                          images.canvasRect.top);
    background_->Repaint();
}

// The restart: the shutdown routine, the shutdown privilege, the machine
// restarted, then the orderly exit (whose shutdown routine finds nothing
// left to do).
void KIVInstallApp::RestartMachine() {
    SetResult(kExitInstalled);
    ShutdownRoutine();
    HANDLE token = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
            ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        ::CloseHandle(token);
    }
    ::ExitWindowsEx(EWX_REBOOT, 0);
    OrderlyExit();
}

void KIVInstallApp::AfterSetup() {
    if (choices.startupShortcut)
        driver.MakeStartupShortcut();
    if (choices.runPrograms)
        RunEntryPrograms(driver.runList, state.variables.installDst, state.variables.installSrc);
    if (!choices.launch)
        return;
    // EXENAME, as the read-back may have replaced it, names the program; a
    // name with a folder in it would start something outside the product.
    const KIVString& exeName = state.variables.exeName;
    KIVString program;
    program.Format(u"%s\\%s.exe", static_cast<const char16_t*>(state.variables.installDst),
                   static_cast<const char16_t*>(exeName));
    // The path in quotes as the command line: a folder with blanks ("Program
    // Files") must not split it into arguments for the product.
    char command[MAX_PATH * 2 + 3] = {};
    (u"\"" + program + u"\"").ToNarrow(command, sizeof command);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!IsPlainName(exeName) || !::CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0,
                                                   nullptr, nullptr, &startup, &process)) {
        ShowMessage(nullptr, SetupText(kTextStartFailed), 0x10001);
        return;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

void KIVInstallApp::RepaintBackground() {
    background_->Repaint();
}
