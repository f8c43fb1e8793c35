// KIVInstallApp: the setup program's application object. It owns the setup's
// state through the driver (description, variables, archive reader, the lists
// the uninstall record is written from, the worker's state), the background
// window and the setup images, and what the pages choose. On the first idle
// pass with a nonzero count it runs the setup flow once and never returns to
// the message loop: the start-up steps, the page sequence, the installation
// and what follows it, and last the orderly exit (KIVInstallAppFlow.cpp),
// which ends the process with a code deployment tools know (SetupExitCode).
// An unattended setup's pages take their choices from a response; a run may
// record its choices and write an install log.
//
// The pages themselves belong to the wizard, which derives from this class
// and makes each page in RunPage.
#pragma once

#include "setup/LoadSetupImages.h"
#include "setup/SetupBackgroundWnd.h"
#include "setup/SetupCommandLine.h"
#include "setup/SetupDriver.h"
#include "setup/SetupExitCode.h"
#include "setup/SetupLog.h"
#include "setup/SetupResponse.h"
#include "toolkit/KIVApplication.h"

#include <memory>
#include <optional>

// The pages of the sequence, in the order they can be shown.
enum class SetupPage {
    kLanguage,
    kIntroduction,
    kLicence,
    kUserInformation,
    kSetupType,
    kCustom,
    kInstalling,
    kComplete,
};

// The page's name for people ("setup type"), in messages and the log.
const char* SetupPageName(SetupPage page);

// Results with which a page ends.
enum SetupPageResult : INT_PTR {
    kPageFinish = 1,
    kPageCancelled = 2,
    kPageBack = 13,
    kPageNext = 14,
};

// The after-setup actions the completion page offers.
struct SetupChoices {
    bool launch = false;
    bool startupShortcut = false;
    bool runPrograms = false;
};

class KIVInstallApp : public KIVApplication {
public:
    // The build number the build message shows.
    static constexpr int kBuildNumber = 263128;

    // driver: after Begin (the program's paths and the start language are
    // set); resourceBase: the start language's resource base path.
    KIVInstallApp(SetupDriver& driver, const char16_t* resourceBase);
    ~KIVInstallApp() override;

    // The process's setup application, or null.
    static KIVInstallApp* Get();

    bool CreateMainWindow() override;
    BOOL OnIdle(LONG count) override;
    bool OpenDocument(const char16_t*) override { return false; }
    bool NewDocument() override { return true; }
    bool CloseDocuments() override { return true; }

    // Makes, runs and destroys one page; its result.
    virtual INT_PTR RunPage(SetupPage page) = 0;
    // Whether the page in force is the first one the sequence shows, which
    // has nothing to go back to.
    bool IsFirstPage() const { return currentPage_ == FirstPage(); }

    // [SECTION] Services for the pages
    // Size texts ("%.2f %s" in gigabytes, megabytes, kilobytes; "%d %s" in
    // bytes) with the units of the current language.
    KIVString SizeText(double bytes) const;
    // Texts 114 to 117 as the byte, kilobyte, megabyte and gigabyte units,
    // and text 127 as the decimal separator.
    void LoadSizeUnits();
    // A message box over owner, captioned with the application's name.
    int ShowMessage(CWnd* owner, const char16_t* text, DWORD style);
    // The shutdown routine: the uninstall record (unless in update mode), the
    // volumes closed, the staging folder removed.
    void ShutdownRoutine();
    // The shutdown routine, then the end of the process with the result code.
    void OrderlyExit();

    // [SECTION] Unattended setup, recorded choices and the result
    // (KIVInstallAppUnattended.cpp)
    // Whether the pages replay the response instead of waiting for a person.
    bool Unattended() const { return commandLine.silent; }
    // A page could not take the response it replayed (reason: the message it
    // showed or what the response asked for): the setup fails.
    void RefuseResponse(const KIVString& reason);
    // The code the process ends with (kExitInstalled until set).
    void SetResult(int code) { result_ = code; }
    int Result() const { return result_; }

    SetupDriver& driver;
    SetupState& state;
    SetupChoices choices;
    // The licence page's choice (true: accepted), kept while the setup runs
    // so that the page shows it again when the user comes back.
    std::optional<bool> licenceChoice;
    SetupImages images;
    SetupCommandLine commandLine;
    SetupResponse response; // what an unattended setup replays
    SetupResponse recorded; // what /RECORD writes
    SetupLog log;           // the install log of /LOG (closed without it)
    // Opens the log of /LOG (nothing to do without it); false, with
    // "cannot write the log ..." in *error, when it cannot be written. Called
    // before the flow runs: a log that was asked for and cannot be made ends
    // the setup at its start.
    bool OpenLog(std::string* error);

    // The rectangle every wizard page opens at, once the first page made it.
    RECT pageRect = {};
    bool hasPageRect = false;
    int screenWidth = 0;
    int screenHeight = 0;
    // Full-screen mode: the background window is shown with the logos.
    bool FullScreen() const;
    // The bottom edge of the product logo, the title image the pages keep
    // clear of.
    int TitleBottom() const { return images.productLogo.bottom; }

protected:
    // Ends the process; tests of the pages replace it.
    virtual void EndProcess(int code);
    // The pages in sequence until one stops it, the installation included.
    void RunPageSequence();

private:
    void RunFlow();
    INT_PTR ShowPage(SetupPage page);
    bool StopSequence();
    bool TakeUnattendedFolder();
    bool StartUp();
    void PaintGradient();
    void ShowStartUpFailure();
    bool StepState(int* pageState);
    // The first page the description shows (the progress page when it
    // shows none before it).
    SetupPage FirstPage() const;
    void TakeChosenLanguage();
    void CheckBuildKeys();
    void Install();
    void RegistryOnly();
    void DrawCentreCanvas();
    void RestartMachine();
    void AfterSetup();
    void RepaintBackground();
    int UnattendedAnswer(const char16_t* text, DWORD style);
    // The choices in force after the pages, kept for the response file of
    // /RECORD, which is written at the end with the completion page's.
    void RecordChoices();
    void WriteRecordedResponse();
    // [SECTION] The install log (KIVInstallAppLog.cpp)
    void LogStart();
    void LogMessage(const char16_t* text, int answer);
    void LogEnd();

    std::unique_ptr<SetupBackgroundWnd> background_;
    KIVString units_[4];
    KIVString decimalSeparator_;
    std::int32_t languageBeforePage_ = 0;
    bool flowRan_ = false;
    int result_ = kExitInstalled;
    SetupPage currentPage_ = SetupPage::kLanguage;
    KIVString lastMessage_; // the last message an unattended setup answered
    KIVString refusal_;     // why a page refused the response
};
