// SetupDriver: the setup's work without its pages. It holds what the
// application object owns for an installation (the description and the
// variables in SetupState, the archive reader, the lists the uninstall record
// is written from, the worker's state) and carries out the steps of the
// start-up flow that show no page, the installation itself and the shutdown
// routine. The setup program's flow calls it between its pages; kivtool
// install calls it alone, with the choices of the pages given on its command
// line.
//
//   SetupDriver driver;
//   if (!driver.Begin(programPath) || !driver.StartUp()) -> driver.Failure()
//   driver.ChooseSetupType(kSetupTypical);
//   driver.RunInstallation(onBytes, onName);   // or WriteRegistryOnly()
//   driver.Shutdown();
#pragma once

#include "engine/InstallJournal.h"
#include "engine/InstallLists.h"
#include "engine/InstallMutex.h"
#include "engine/Zipage.h"
#include "setup/InstallWorkerState.h"
#include "setup/SetupState.h"

#include <atomic>
#include <string>
#include <vector>

// The start-up step that failed, for a driver that says more than the
// setup's own message (which file, which line).
enum class SetupStep {
    kNone,
    kBusy, // another installation holds the machine's installation lock
    kLock, // that lock cannot be made (the machine root cannot be written)
    kProgramPath,
    kLanguage,
    kArchive,      // the main archive does not open or fails its check
    kSetupPackage, // the setup package cannot be unpacked (see zip.LastFailure())
    kRegistry,     // HKEY_LOCAL_MACHINE\SOFTWARE cannot be written
    kDescription,  // config.ini does not load (see state.description.error)
};

class SetupLog;
class ShortcutReport;

// Told of each install entry as the worker begins to put it in place.
using InstallEntryCallback = void (*)(const InstallEntry& entry, const char16_t* folder);

class SetupDriver {
public:
    SetupDriver() = default;
    SetupDriver(const SetupDriver&) = delete;
    SetupDriver& operator=(const SetupDriver&) = delete;

    // The process entry's part: the program's paths from its own path (a
    // Windows path; its name must carry an extension), the stale "aepf.ini"
    // of the Windows folder removed, the start language chosen (language,
    // when nonzero, else the user's default) and checked. False when the path
    // or the language cannot be used.
    bool Begin(const char16_t* programPath, std::int32_t language = 0);

    // The start-up steps that show no page: the machine's installation lock
    // (held until the driver goes), the staging folder, the main
    // archive and the setup package, the registry write check, config.ini,
    // the available languages, the variables, update mode, the default
    // installation folder, the registered user, the read-back and the required
    // size. False with Failure() set at the first step that fails.
    bool StartUp();

    // The setup type the pages would choose (kSetupTypical, ...). False when
    // the description has no setup type of that name.
    bool ChooseSetupType(std::int32_t number);
    // For a custom setup: selects exactly the components named (compared
    // without regard to case). False, selecting nothing, when a name is not a
    // component of the chosen setup type.
    bool SelectComponents(const std::vector<std::string>& names, std::string* unknown);

    // Installs on the calling thread with the procedure that the progress
    // page's worker runs; onBytes and onName are the page's two callbacks
    // (either may be null). Returns the worker's result code (InstallResult). The
    // installation folder is made first and the install journal opened in
    // it, listing the folders just made and the staging folder's files.
    std::int32_t RunInstallation(ZipageBytesCallback onBytes, ZipageNameCallback onName);
    // What RunInstallation does before the procedure: the volume list
    // with the staging folder's "Archives" as the fallback folder, the
    // installation folder and the install journal. The progress page calls
    // it and runs the worker itself.
    void PrepareInstallation();
    // Registry-only mode (the description does not install files): writes
    // the registry keys when option 9 is set. False when they fail.
    bool WriteRegistryOnly();
    // The install procedure itself; runs on the worker thread.
    void InstallProcedure(ZipageBytesCallback onBytes, ZipageNameCallback onName);

    // After the installation: the program groups and their shortcuts when
    // option 3 is set (false when they could not be made), and the start-up
    // shortcut the completion page offers. Both need OleInitialize.
    bool MakeProgramGroups();
    bool MakeStartupShortcut();
    // The links these two left out because their target was not installed,
    // one sentence (UTF-8) each, for a report to the user.
    std::vector<std::string> shortcutsLeftOut;

    // The shutdown routine: the uninstall record (unless in update mode),
    // the volumes closed, the staging folder removed, and last the journal
    // settled (kept when the record could not be written). May run twice.
    void Shutdown();

    // The message of the last failure of Begin or StartUp, and its step.
    const KIVString& Failure() const { return failure_; }
    SetupStep FailedStep() const { return failedStep_; }
    bool RestartNeeded() const { return restartNeeded_; }
    // The install entry whose unpacking or copy failed (null when none did).
    const InstallEntry* FailedEntry() const { return failedEntry_; }
    // Why the installation folder was refused before anything was made
    // (see IsInstallFolderPath); empty when it was not.
    const std::string& FolderRefusal() const { return folderRefusal_; }
    // Why the entry failed, in plain language: from the reader's failure for
    // a packed entry, else the link out of the medium or the copy that failed.
    std::string EntryFailureReason(const InstallEntry& entry) const;
    // The file name that failed the entry because the machine's code page
    // cannot spell it; empty when the entry failed otherwise.
    KIVString UnspellableName(const InstallEntry& entry) const;
    // The folder a copied entry's files come from: its source sub-folder of
    // INSTALLSRC, or INSTALLSRC itself.
    KIVString SourceFolder(const InstallEntry& entry) const;
    // In plain language, for the end of the log after a failure or a cancel:
    // what failed (the start-up step, or the install step with its entry and
    // the reason) and what was left on the machine, with where it is listed
    // and the command that removes it.
    std::string FailureSummary() const;

    InstallEntryCallback onEntry = nullptr; // for a driver without pages; may stay null
    // Told of each install entry, registry key, system file, replacement and
    // link; may stay null. It must outlive the installation.
    SetupLog* log = nullptr;

    SetupState state;
    Zipage zip;
    InstallLists lists;
    InstallJournal journal;
    std::vector<const InstallEntry*> runList; // entries whose programs run at the end
    InstallWorkerState worker;
    KIVString windowsFolder;
    KIVString stagingFolder;      // "<temporary folder>TemporaryFiles"
    KIVString installFilesFolder; // "<staging folder>\InstallFiles"
    KIVString defaultBaseFolder;  // "<program files>\Kiv software"

private:
    bool Fail(SetupStep step, const KIVString& message);
    void NoteLeftOut(const ShortcutReport& report);
    bool TakeInstallMutex();
    bool PrepareStaging();
    void RemoveStagingLeftovers();
    void NoteStagedSystemFiles(const InstallEntry& entry, int filesBefore);
    bool UnpackSetupFiles();
    bool CheckRegistryAccess();
    bool LoadDescription();
    static bool EntriesStayInside(SetupDescription& d);
    void TakeLanguages();
    bool ReadPreviousInstallation();
    void SetDefaultInstallFolder();
    void ReadRegisteredUser();
    void OpenJournal();
    void JournalStagingFolder(const KIVString& folder);
    bool InstallOneEntry(const InstallEntry& entry, ZipageBytesCallback onBytes,
                         ZipageNameCallback onName);
    bool WriteKeys();
    void LogEntry(const InstallEntry& entry, const KIVString& folder, int filesBefore,
                  bool failed) const;
    std::string VolumeName(const InstallEntry& entry) const;
    std::string WhatFailed() const;
    std::string WhatWasLeft() const;
    KIVString EntryFailureText(const InstallEntry& entry) const;
    bool WaitForQuestion() const;

    InstallMutex installMutex_;
    KIVString failure_;
    SetupStep failedStep_ = SetupStep::kNone;
    bool restartNeeded_ = false;
    bool began_ = false; // the installation (or the registry-only writing) began
    const InstallEntry* failedEntry_ = nullptr;
    std::string folderRefusal_; // why PrepareInstallation refused the folder; empty when not
    // The system files this setup put directly in the staging folder (full
    // ANSI paths, each once): the only ones the system-file step installs.
    std::vector<std::string> stagedSystemFiles_;
    KIVString outsideLink_;     // the link out of the medium that failed the last copied entry
    KIVString unspellableFile_; // the copied file whose name failed the last copied entry
};
