// SetupDriver's account of a failed or cancelled setup, in plain language,
// for the end of the install log.
#include "setup/SetupDriver.h"
#include "setup/SetupLogText.h"

#include "platform/Windows.h"

namespace {

const char* StepText(SetupStep step) {
    switch (step) {
    case SetupStep::kBusy:
        return "waiting for another installation to finish";
    case SetupStep::kLock:
        return "taking the machine's installation lock";
    case SetupStep::kProgramPath:
        return "finding its own folder";
    case SetupStep::kLanguage:
        return "choosing its language";
    case SetupStep::kArchive:
        return "opening the main archive";
    case SetupStep::kSetupPackage:
        return "unpacking its setup files";
    case SetupStep::kRegistry:
        return "checking that HKEY_LOCAL_MACHINE\\SOFTWARE can be written";
    case SetupStep::kDescription:
        return "reading its description (config.ini)";
    case SetupStep::kNone:
        break;
    }
    return "starting";
}

bool Exists(const KIVString& path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

std::string Count(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string SetupDriver::FailureSummary() const {
    return WhatFailed() + " " + WhatWasLeft();
}

std::string SetupDriver::WhatFailed() const {
    if (failedStep_ != SetupStep::kNone) {
        const SetupDescriptionError& error = state.description.error;
        std::string detail;
        if (failedStep_ == SetupStep::kDescription && !error.reason.empty())
            detail = (error.line ? " (line " + std::to_string(error.line) + ": " : " (") +
                     error.reason + ")";
        return std::string("The setup stopped while ") + StepText(failedStep_) + ": " +
               LogTextFromWide(failure_) + detail;
    }
    // The progress page lowers the finished flag once it has seen it: what
    // tells is whether the installation began.
    if (!began_)
        return "The setup stopped before the installation began.";
    if (!folderRefusal_.empty())
        return "The installation folder " + LogTextFromWide(state.variables.installDst) +
               " was refused: " + folderRefusal_ + ".";
    switch (worker.resultCode.load()) {
    case kInstallCopyFailed:
    case kInstallExtractFailed:
        if (failedEntry_)
            return "Installing " + LogTextFromAnsi(failedEntry_->entryName) +
                   " failed: " + EntryFailureReason(*failedEntry_) + ".";
        break;
    case kInstallSystemFilesFailed:
        return "Installing the system files into the system folder failed.";
    case kInstallRegistryFailed:
        return "Writing the registry keys failed (the log names the key).";
    case kInstallCancelled:
        return "The installation was cancelled.";
    default:
        break;
    }
    return "The installation failed: " + LogTextFromWide(worker.errorText);
}

// The journal lists what is left while the setup runs; the uninstall record
// takes its place once the setup has ended. Files are counted as they are
// now on the disk: the staged copies are gone by then.
std::string SetupDriver::WhatWasLeft() const {
    const KIVString folder = state.variables.installDst;
    KIVString list = folder + u"\\" + KIVString(InstallJournal::kJournalName);
    if (!Exists(list))
        list = folder + u"\\.uninstallinfos.log";
    int files = 0;
    for (int i = 0; i < lists.files.GetSize(); ++i)
        files += GetFileAttributesA(lists.files.GetAt(i)) != INVALID_FILE_ATTRIBUTES;
    const int keys = lists.registryKeys.GetSize();
    if (files == 0 && keys == 0)
        return "Nothing of the product was left on the machine.";
    const std::string left = "Left on the machine: " + Count(files, "file", "files") + " and " +
                             Count(keys, "registry key", "registry keys") + " of " +
                             LogTextFromWide(folder);
    if (!Exists(list))
        return left + "; no list of them was written.";
    return left + ", listed in " + LogTextFromWide(list) + "; the command kivtool uninstall \"" +
           LogTextFromWide(folder) + "\" removes them.";
}
