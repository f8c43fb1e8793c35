// The install procedure of SetupDriver, run by the worker thread: the install
// entries of the chosen setup type's components, then the staged system
// files, then the registry keys. The result code and its text are left in
// the worker's state; the finished flag is raised last.
#include "engine/CopyFolderFiles.h"
#include "engine/InstallSystemFiles.h"
#include "engine/UnspellableCopiedFile.h"
#include "engine/WriteRegistryKeys.h"
#include "setup/SetupDriver.h"
#include "setup/SetupLog.h"
#include "setup/SetupTexts.h"

#include "platform/Windows.h"

#include <algorithm>
#include <strings.h>

namespace {

// A component contributes its entries when it is chosen, usable and offered
// in the current language.
bool Contributes(const Component& component, std::int32_t language) {
    return component.selected && component.enabled && (component.languages & language) &&
           !component.entries.empty();
}

// The name a failure message gives an entry: its destination folder, or its
// own name when that is empty.
KIVString ItemName(const InstallEntry& entry) {
    return KIVString(entry.destinationFolder[0] ? entry.destinationFolder : entry.entryName);
}

} // namespace

// While the cancel question is open nothing new begins. False when the user
// has confirmed the cancel.
bool SetupDriver::WaitForQuestion() const {
    while (worker.questionOpen.load())
        Sleep(10);
    return !worker.cancelRequested.load();
}

void SetupDriver::InstallProcedure(ZipageBytesCallback onBytes, ZipageNameCallback onName) {
    if (!folderRefusal_.empty())
        return worker.Finish(kInstallCopyFailed, SetupText(kTextFolderUnusable));
    if (state.chosenSetupType) {
        for (const Component* component : state.chosenSetupType->components) {
            if (!Contributes(*component, state.currentLanguage))
                continue;
            for (const InstallEntry* entry : component->entries) {
                if (!WaitForQuestion())
                    return worker.Finish(kInstallCancelled, KIVString());
                if (!InstallOneEntry(*entry, onBytes, onName))
                    return;
            }
        }
        std::int32_t code = kInstallSucceeded;
        KIVString text;
        if (!InstallSystemFiles(stagedSystemFiles_, &restartNeeded_, &journal, log)) {
            code = kInstallSystemFilesFailed;
            text = SetupText(kTextRegistryFailed);
        }
        if (!WaitForQuestion()) {
            code = kInstallCancelled;
            text = KIVString();
        } else if (!WriteKeys()) {
            code = kInstallRegistryFailed;
            text = SetupText(kTextRegistryFailed);
        }
        return worker.Finish(code, text);
    }
    worker.Finish(kInstallSucceeded, KIVString());
}

KIVString SetupDriver::SourceFolder(const InstallEntry& entry) const {
    const KIVString& source = state.variables.installSrc;
    return entry.sourceFolder[0] ? source + u"\\" + KIVString(entry.sourceFolder) : source;
}

// Unpacks or copies one entry and records its folder. False, with the worker
// finished, when it failed; a failure while a cancel is requested is no
// failure (the next entry turns the request into the cancel result).
bool SetupDriver::InstallOneEntry(const InstallEntry& entry, ZipageBytesCallback onBytes,
                                  ZipageNameCallback onName) {
    if (!entry.IsForPC())
        return true;
    const KIVString base = entry.system ? stagingFolder : state.variables.installDst;
    const KIVString folder = base + u"\\" + KIVString(entry.destinationFolder);
    if (entry.run)
        runList.push_back(&entry);
    if (entry.notInstalled)
        return true;
    if (onEntry)
        onEntry(entry, folder);
    const int filesBefore = lists.files.GetSize();
    bool failed = false;
    if (entry.packed) {
        failed = zip.ExtractPackage(folder, entry.packageOffset, onBytes, onName,
                                    &worker.cancelRequested, &worker.questionOpen, &lists.files,
                                    entry.volume - 1) != 0;
    } else {
        MediumFolder medium(state.variables.installSrc);
        const KIVString source = SourceFolder(entry);
        unspellableFile_ = FindUnspellableCopiedFile(entry, source);
        failed =
            !unspellableFile_.IsEmpty() ||
            !CopyFolderFiles(entry, source, medium, folder, onBytes, onName,
                             &worker.cancelRequested, &worker.questionOpen, &lists.files, &journal);
        outsideLink_ = medium.OutsideLink();
    }
    if (entry.system)
        NoteStagedSystemFiles(entry, filesBefore);
    if (log)
        LogEntry(entry, folder, filesBefore, failed);
    if (failed && !worker.cancelRequested.load()) {
        failedEntry_ = &entry;
        worker.Finish(entry.packed ? kInstallExtractFailed : kInstallCopyFailed,
                      EntryFailureText(entry));
        return false;
    }
    char ansi[InstalledFileList::kPathSize] = {};
    WideCharToMultiByte(CP_ACP, 0, folder, -1, ansi, sizeof ansi - 1, nullptr, nullptr);
    lists.folders.Add(ansi);
    return true;
}

KIVString SetupDriver::UnspellableName(const InstallEntry& entry) const {
    if (!entry.packed)
        return unspellableFile_;
    const ZipageFailure& failure = zip.LastFailure();
    return failure.kind == ZipageFailure::kUnspellable ? KIVString(failure.name) : KIVString();
}

// The failure message of an entry: its own for a file name the machine
// cannot spell, else the unpacking or copy failure.
KIVString SetupDriver::EntryFailureText(const InstallEntry& entry) const {
    const KIVString unspellable = UnspellableName(entry);
    if (!unspellable.IsEmpty())
        return FormatTextArguments(SetupText(kTextUnspellableName), {unspellable, ItemName(entry)});
    return FormatSetupText(entry.packed ? kTextExtractFailed : kTextCopyFailed, ItemName(entry));
}

// The files that an entry for the system folder added to the list, when
// they lie directly in the staging folder (the system-file step skips its
// sub-folders). A file unpacked twice is installed once.
void SetupDriver::NoteStagedSystemFiles(const InstallEntry& entry, int filesBefore) {
    if (entry.destinationFolder[0])
        return;
    for (int index = filesBefore; index < lists.files.GetSize(); ++index) {
        const char* path = lists.files.GetAt(index);
        auto same = [path](const std::string& noted) {
            return strcasecmp(noted.c_str(), path) == 0;
        };
        if (std::none_of(stagedSystemFiles_.begin(), stagedSystemFiles_.end(), same))
            stagedSystemFiles_.push_back(path);
    }
}

bool SetupDriver::WriteKeys() {
    const SetupDescription& d = state.description;
    RegistryStoreChoice store;
    store.useRegistryFile = d.OptionFlag(kOptionUseRegistryFile);
    store.deleteRegistryFile = d.OptionFlag(kOptionDeleteRegistryFile);
    store.registryFileName = state.registryFileName.IsEmpty()
                                 ? nullptr
                                 : static_cast<const char16_t*>(state.registryFileName);
    ExpandSetupText expand = [this](const char* source, char* destination, int size) {
        ExpandSetupVariables(state, source, destination, size);
    };
    return WriteRegistryKeys(d.registryKeys, store, expand, &lists.registryKeys, &journal, log);
}
