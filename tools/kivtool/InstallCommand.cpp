// "kivtool install": installs a distribution medium on the machine without
// pages, as the setup program would with the choices given on the command
// line, and reports the outcome with the exit codes that deployment tools
// understand.
#include "tools/kivtool/InstallOptions.h"
#include "tools/kivtool/InstallProgress.h"
#include "tools/kivtool/KivCommand.h"
#include "tools/kivtool/ToolText.h"

#include "platform/Machine.h"
#include "platform/ObjBase.h"
#include "platform/PathMap.h"
#include "platform/Windows.h"
#include "setup/SetupDriver.h"
#include "setup/SetupFolderCheck.h"
#include "setup/SetupInstallFolder.h"
#include "setup/SetupLanguage.h"
#include "setup/SetupLog.h"
#include "setup/SetupTexts.h"
#include "tools/kivtool/PackCommands.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

std::atomic<unsigned char>* cancelFlag = nullptr;

// Ctrl-C asks the worker to stop as the progress page's Cancel would.
void OnInterrupt(int) {
    if (cancelFlag)
        cancelFlag->store(1);
}

struct Outcome {
    int code = kExitFailed;
    std::int32_t result = -1; // the worker's result code; -1 when it did not run
    std::string message;
};

// What the setup's own start-up message leaves out: which file, which line.
std::string StartUpDetail(const SetupDriver& driver) {
    const std::string files = Utf8FromWide(driver.state.setupFilesFolder);
    const SetupDescriptionError& error = driver.state.description.error;
    switch (driver.FailedStep()) {
    case SetupStep::kArchive:
        return files + "\\archive.zkiv is missing or is no archive volume";
    case SetupStep::kSetupPackage:
        return files + "\\archive.zkiv: " +
               ZipageFailureText(driver.zip.LastFailure(), Utf8FromWide(driver.installFilesFolder));
    case SetupStep::kDescription:
        return std::string(driver.state.description.filePath) +
               " (the setup package's config.ini)" +
               (error.line ? ", line " + std::to_string(error.line) : std::string()) + ": " +
               error.reason;
    case SetupStep::kRegistry:
        return "HKEY_LOCAL_MACHINE\\SOFTWARE cannot be written by this user";
    case SetupStep::kBusy:
        return "(another setup, kivtool install or kivtool uninstall held the machine's "
               "installation lock for " +
               std::to_string(InstallMutex::kWaitMilliseconds / 1000) + " seconds)";
    default:
        return std::string();
    }
}

// The entry that failed and why, for the worker's failure message.
std::string InstallDetail(const SetupDriver& driver) {
    const InstallEntry* entry = driver.FailedEntry();
    if (!entry)
        return std::string();
    if (!entry->packed)
        return driver.EntryFailureReason(*entry);
    const ZipageFailure& failure = driver.zip.LastFailure();
    if (failure.kind == ZipageFailure::kVolume && driver.state.description.multiVolume)
        return "archive" + std::to_string(entry->volume - 1) + ".zkiv (volume " +
               std::to_string(entry->volume) + ") is missing from " +
               Utf8FromWide(driver.state.setupFilesFolder) + " or is no archive volume";
    return ZipageFailureText(failure, Utf8FromWide(driver.state.variables.installDst));
}

std::string WithDetail(const std::string& message, const std::string& detail) {
    return detail.empty() ? message : message + " " + detail;
}

// A failure the setup would show in a message box: on stderr, and in the log.
void Report(SetupDriver& driver, const std::string& text) {
    std::fprintf(stderr, "kivtool install: %s\n", text.c_str());
    if (driver.log)
        driver.log->Message(text, "");
}

// The log's start line, once the start-up has settled the language.
void LogStart(const SetupDriver& driver, const InstallOptions& options) {
    const std::int32_t language = driver.state.currentLanguage;
    driver.log->Start("kivtool install", options.medium, Machine::DefaultRoot(),
                      language ? Utf8FromWide(LanguageName(language)) : std::string(),
                      GivenInstallOptions(options));
}

void LogEnd(const SetupDriver& driver, int code) {
    const bool stopped = code != kExitInstalled && code != kExitRestartNeeded;
    driver.log->End(code, SetupExitWord(code), stopped ? driver.FailureSummary() : std::string());
}

bool Prepare(SetupDriver& driver, const InstallOptions& options, Outcome* outcome) {
    const KIVString program =
        WideFromUtf8(PathMap::ToWindows(options.medium) + "\\" + options.program + ".exe");
    if (program.IsEmpty() || !driver.Begin(program, options.language) || !driver.StartUp()) {
        outcome->message = WithDetail(Utf8FromWide(driver.Failure()), StartUpDetail(driver));
        if (driver.FailedStep() == SetupStep::kBusy)
            outcome->code = kExitAlreadyRunning;
        return false;
    }
    ApplyInstallChoices(driver, options);
    return true;
}

void Install(SetupDriver& driver, const InstallOptions& options, Outcome* outcome) {
    if (!driver.state.description.OptionFlag(kOptionInstall)) {
        bool written = driver.WriteRegistryOnly();
        outcome->result = written ? kInstallSucceeded : kInstallRegistryFailed;
        outcome->code = written ? kExitInstalled : kExitFailed;
        return;
    }
    std::string problem;
    if (!ChooseInstallSetup(driver, options, &problem)) {
        outcome->message = problem;
        return;
    }
    KIVString folderMessage;
    if (!CheckInstallFolder(driver.state, &folderMessage, &problem)) {
        outcome->message = WithDetail(Utf8FromWide(folderMessage),
                                      problem.empty() ? problem : "(" + problem + ")");
        return;
    }
    cancelFlag = &driver.worker.cancelRequested;
    std::signal(SIGINT, OnInterrupt);
    driver.onEntry = InstallProgress::OnEntry;
    InstallProgress::Begin(driver.state.requiredSize, isatty(STDERR_FILENO) && !options.json);
    outcome->result = driver.RunInstallation(InstallProgress::OnBytes, InstallProgress::OnName);
    InstallProgress::End();
    std::signal(SIGINT, SIG_DFL);
    cancelFlag = nullptr;
    outcome->code = ExitCodeFor(outcome->result, driver.RestartNeeded());
    outcome->message = WithDetail(Utf8FromWide(driver.worker.errorText), InstallDetail(driver));
    if (outcome->result != kInstallSucceeded && outcome->result != kInstallSystemFilesFailed)
        return;
    if (!driver.MakeProgramGroups())
        Report(driver, Utf8FromWide(SetupText(kTextProgramGroupFailed)));
    if (options.startupShortcut && !driver.MakeStartupShortcut())
        Report(driver, "the start-up shortcut could not be made");
    for (const std::string& sentence : driver.shortcutsLeftOut)
        std::fprintf(stderr, "kivtool install: %s\n", sentence.c_str());
}

int RunInstall(const std::vector<std::string>& args) {
    InstallOptions options;
    std::string error;
    if (args.size() == 1 && IsHelpArgument(args[0])) {
        std::fputs(kInstallUsage, stdout);
        return 0;
    }
    if (!ParseInstallOptions(args, &options, &error))
        return KivUsageError("install", error, kInstallUsage);
    if (!Machine::Use(Machine::DefaultRoot())) {
        std::fprintf(stderr,
                     "kivtool install: no machine at %s (make one with 'kivtool machine "
                     "init')\n",
                     Machine::DefaultRoot().c_str());
        return kExitFailed & 0xFF;
    }
    std::string reason;
    if (!options.destination.empty() &&
        !IsInstallFolderPath(WideFromUtf8(options.destination), &reason))
        return KivUsageError("install", "--dest " + options.destination + ": " + reason,
                             kInstallUsage);
    SetupLog log;
    if (!options.logPath.empty() && !log.Open(options.logPath, &error)) {
        std::fprintf(stderr, "kivtool install: %s\n", error.c_str());
        return kExitFailed & 0xFF;
    }
    OleInitialize(nullptr); // the shell links of the program groups need it
    SetupDriver driver;
    driver.log = log.IsOpen() ? &log : nullptr;
    Outcome outcome;
    const bool prepared = Prepare(driver, options, &outcome);
    if (driver.log)
        LogStart(driver, options);
    if (prepared)
        Install(driver, options, &outcome);
    driver.Shutdown();
    OleUninitialize();
    if (!outcome.message.empty() &&
        (outcome.code == kExitFailed || outcome.code == kExitAlreadyRunning))
        Report(driver, outcome.message);
    if (driver.log)
        LogEnd(driver, outcome.code);
    PrintInstallSummary(driver, outcome.result, outcome.code, InstallProgress::Bytes(),
                        options.json);
    return outcome.code & 0xFF;
}

KivCommand install("install", "install a distribution medium without pages", RunInstall);

} // namespace
