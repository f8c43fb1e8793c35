#include "engine/Uninstaller.h"

#include "engine/InstallJournal.h"
#include "engine/InstallJournalReader.h"
#include "engine/UninstallFiles.h"
#include "engine/UninstallFolders.h"
#include "engine/UninstallProgramGroups.h"
#include "engine/UninstallRecordLimits.h"
#include "engine/UninstallRecordReader.h"
#include "engine/UninstallRegistryKeys.h"
#include "engine/UninstallScope.h"
#include "platform/WinBase.h"
#include "platform/WinError.h"
#include "toolkit/KIVAnsiName.h"

#include <cctype>

namespace {

enum class ReadResult { Read, Missing, Unreadable };

ReadResult ReadRecordFile(const std::string& path, std::string* bytes, std::string* message) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // A missing file is no failure: the caller knows which ones are optional.
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return ReadResult::Missing;
        *message = path + ": cannot be opened (error " + std::to_string(error) + ")";
        return ReadResult::Unreadable;
    }
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    DWORD got = 0;
    bool read = false;
    if (high == 0 && size <= kMaxUndoFileBytes) {
        bytes->resize(size);
        read = ReadFile(file, bytes->data(), size, &got, nullptr) && got == size;
    }
    CloseHandle(file);
    if (!read)
        *message = path + ": cannot be read whole (larger than 64 MiB, or a read failed)";
    return read ? ReadResult::Read : ReadResult::Unreadable;
}

// The files the setup leaves in the installation folder to undo it by.
struct UndoFiles {
    explicit UndoFiles(const std::string& folder)
        : record(folder + "\\.uninstallinfos.log"),
          journal(folder + "\\" + InstallJournal::kJournalName),
          values(folder + "\\" + InstallJournal::kValuesName) {}
    std::string record, journal, values;
};

UninstallOutcome Refuse(const std::string& path, const UninstallRecordError& error,
                        std::string* message) {
    *message = path + (error.line ? ", line " + std::to_string(error.line) : "") + ": " +
               error.reason + "; nothing was removed";
    return UninstallOutcome::Refused;
}

// A setup killed after writing its record, but before it removed its staging
// folder and its journal: the journal's folders outside the installation
// folder and their files are still the setup's to remove.
void TakeStagingLeftovers(const UninstallRecord& journal, const std::string& folder,
                          UninstallRecord* record) {
    std::vector<std::string> outside;
    for (const std::string& path : journal.folders)
        if (!KIVAnsiName::IsInside(path, folder))
            outside.push_back(path);
    for (const std::string& file : journal.files)
        for (const std::string& path : outside)
            if (KIVAnsiName::IsInside(file, path)) {
                record->files.push_back(file);
                break;
            }
    record->folders.insert(record->folders.end(), outside.begin(), outside.end());
    record->listsOutsideFolders = true;
}

// The values the installation wrote, from the values file or else from a
// journal beside the record (a setup killed after writing the record).
UninstallOutcome ReadValues(const std::string& folder, const UndoFiles& files,
                            UninstallRecord* record, std::string* message) {
    std::string bytes;
    UninstallRecordError error;
    switch (ReadRecordFile(files.values, &bytes, message)) {
    case ReadResult::Read:
        return ReadWrittenValues(bytes, record, &error) ? UninstallOutcome::Done
                                                        : Refuse(files.values, error, message);
    case ReadResult::Unreadable:
        return UninstallOutcome::Refused;
    case ReadResult::Missing:
        break;
    }
    UninstallRecord journal;
    switch (ReadRecordFile(files.journal, &bytes, message)) {
    case ReadResult::Read:
        if (!ReadInstallJournal(bytes, &journal, &error))
            return Refuse(files.journal, error, message);
        record->writtenValues = journal.writtenValues;
        TakeStagingLeftovers(journal, folder, record);
        return UninstallOutcome::Done;
    case ReadResult::Unreadable:
        return UninstallOutcome::Refused;
    case ReadResult::Missing:
        return UninstallOutcome::Done;
    }
    return UninstallOutcome::Done;
}

// The record, or the journal of a setup that never wrote one. Done when
// *record holds what to undo.
UninstallOutcome ReadWhatToUndo(const std::string& folder, const UndoFiles& files,
                                UninstallRecord* record, std::string* message) {
    std::string bytes;
    UninstallRecordError error;
    switch (ReadRecordFile(files.record, &bytes, message)) {
    case ReadResult::Read:
        if (!ReadUninstallRecord(bytes, record, &error))
            return Refuse(files.record, error, message);
        return ReadValues(folder, files, record, message);
    case ReadResult::Unreadable:
        return UninstallOutcome::Refused;
    case ReadResult::Missing:
        break;
    }
    switch (ReadRecordFile(files.journal, &bytes, message)) {
    case ReadResult::Read:
        return ReadInstallJournal(bytes, record, &error) ? UninstallOutcome::Done
                                                         : Refuse(files.journal, error, message);
    case ReadResult::Unreadable:
        return UninstallOutcome::Refused;
    case ReadResult::Missing:
        break;
    }
    *message = folder + " holds no uninstall record (.uninstallinfos.log) and no install journal";
    return UninstallOutcome::NoRecord;
}

// Takes out of the record every line that names a place this product could
// not have put anything, reporting each; the rest is undone as read.
template <typename Item, typename Path>
void KeepInScope(std::vector<Item>& items, Path pathOf, bool folders, const UninstallScope& scope,
                 UninstallRun& run, bool systemFiles = false) {
    std::vector<Item> kept;
    for (Item& item : items) {
        const std::string& path = pathOf(item);
        const std::string refusal =
            systemFiles ? scope.SystemFileRefusal(path) : scope.Refusal(path, folders);
        if (refusal.empty())
            kept.push_back(std::move(item));
        else
            run.Refused(path, refusal);
    }
    items = std::move(kept);
}

void LimitToScope(UninstallRecord& record, const std::string& folder, UninstallRun& run) {
    const UninstallScope scope(folder, record.applicationName);
    const auto path = [](const std::string& line) -> const std::string& { return line; };
    KeepInScope(record.files, path, false, scope, run);
    KeepInScope(record.folders, path, true, scope, run);
    KeepInScope(
        record.sharedFiles, [](const SharedFileUse& use) -> const std::string& { return use.path; },
        false, scope, run, true);
}

void RemoveUndoFile(const std::string& path, const char* note, UninstallRun& run) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    if (run.Incomplete())
        return run.Kept(path, "kept for another run, since some removals failed");
    if (!run.DryRun() && !DeleteFileA(path.c_str()))
        return run.Failed(path, "removing it", GetLastError());
    run.Removed(path, note);
}

} // namespace

UninstallOutcome Uninstall(const std::string& installFolder, UninstallRun& run,
                           std::string* message) {
    const std::string folder = KIVAnsiName::Normal(installFolder);
    if (!UninstallScope::IsPlainPath(folder) || std::toupper(folder[0]) == 'Z') {
        *message = folder + " is no installation folder on a drive of the machine; nothing was "
                            "removed";
        return UninstallOutcome::Refused;
    }
    const UndoFiles files(folder);
    UninstallRecord record;
    if (UninstallOutcome read = ReadWhatToUndo(folder, files, &record, message);
        read != UninstallOutcome::Done)
        return read;
    LimitToScope(record, folder, run);
    const UninstallFolders folders(record, folder);
    UninstallFiles(record, folder, run);
    UninstallRegistryKeys(record, run);
    UninstallProgramGroups(record, folder, run);
    folders.RemoveInner(run);
    // What the uninstallation is read from goes last, the record (or the
    // journal, when there is no record) last of all.
    for (const std::string* path : {&files.record, &files.journal, &files.values})
        RemoveUndoFile(*path + ".new", "left half-written by a setup that was stopped", run);
    RemoveUndoFile(files.values, "the list of the values the product wrote", run);
    RemoveUndoFile(files.journal, "the install journal", run);
    RemoveUndoFile(files.record, "the uninstall record", run);
    folders.RemoveIfEmpty(folder, run);
    UninstallFolders::RemoveEmptyBaseFolders(folder, run);
    folders.RemoveOutside(run);
    if (run.RefusedLines())
        return UninstallOutcome::OutOfScope;
    return run.Incomplete() ? UninstallOutcome::Incomplete : UninstallOutcome::Done;
}
