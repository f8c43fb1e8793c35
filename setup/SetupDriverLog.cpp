// What SetupDriver tells its log of each install entry: the folder, the
// files and bytes it wrote, and why it failed.
#include "setup/SetupDriver.h"
#include "setup/SetupLog.h"
#include "setup/SetupLogText.h"

#include "platform/Windows.h"

namespace {

// The size of a file on disk, 0 when it is gone (a member removed because
// its data was damaged). Opened by its path, not found by a folder search:
// a search lists the whole folder, for every file of the entry.
std::int64_t FileSizeOf(const char* path) {
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    const bool known = low != INVALID_FILE_SIZE || GetLastError() == ERROR_SUCCESS;
    CloseHandle(file);
    return known ? (static_cast<std::int64_t>(high) << 32) | low : 0;
}

std::string UnspellableText() {
    return " has a name that is no text in this machine's code page " + std::to_string(GetACP()) +
           ": no path could name the file again, so nothing of the entry was written";
}

std::string MemberText(const ZipageFailure& failure) {
    return "its member '" + LogTextFromAnsi(failure.name) + "'";
}

} // namespace

// The files the entry added to the list are the ones it wrote; their sizes
// are read once here, so that the worker's loop over buffers stays as it is.
void SetupDriver::LogEntry(const InstallEntry& entry, const KIVString& folder, int filesBefore,
                           bool failed) const {
    SetupLogEntry line;
    line.label = LogTextFromAnsi(entry.entryName);
    line.folder = LogTextFromWide(folder);
    // An entry into the installation folder itself has an empty folder name.
    if (line.folder.size() > 3 && line.folder.back() == '\\')
        line.folder.pop_back();
    line.packed = entry.packed;
    line.files = lists.files.GetSize() - filesBefore;
    for (int i = filesBefore; i < lists.files.GetSize(); ++i)
        line.bytes += FileSizeOf(lists.files.GetAt(i));
    if (worker.cancelRequested.load())
        log->EntryCancelled(line);
    else if (failed)
        log->EntryFailed(line, EntryFailureReason(entry));
    else
        log->EntryInstalled(line);
}

// The file the reader takes the entry's package from.
std::string SetupDriver::VolumeName(const InstallEntry& entry) const {
    if (!state.description.multiVolume)
        return "archive.zkiv";
    return "archive" + std::to_string(entry.volume - 1) + ".zkiv";
}

std::string SetupDriver::EntryFailureReason(const InstallEntry& entry) const {
    if (!entry.packed && !unspellableFile_.IsEmpty())
        return "its file '" + LogTextFromWide(unspellableFile_) + "'" + UnspellableText();
    if (!entry.packed && !outsideLink_.IsEmpty())
        return "the link " + LogTextFromWide(outsideLink_) + " leads outside the medium";
    if (!entry.packed) {
        const KIVString source = SourceFolder(entry);
        const DWORD attributes = GetFileAttributesW(source);
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return "its source folder " + LogTextFromWide(source) + " is not there";
        return "a file of its source folder " + LogTextFromWide(source) + " could not be copied";
    }
    const ZipageFailure& failure = zip.LastFailure();
    switch (failure.kind) {
    case ZipageFailure::kVolume:
        return "its archive volume " + VolumeName(entry) +
               " is missing from the medium or is not a valid volume";
    case ZipageFailure::kPackage:
        return "its package in the archive volume " + VolumeName(entry) + " is damaged";
    case ZipageFailure::kName:
        return MemberText(failure) + " has a name that would leave the installation folder";
    case ZipageFailure::kUnspellable:
        return MemberText(failure) + UnspellableText();
    case ZipageFailure::kCreate:
        return "the file of " + MemberText(failure) + " could not be created";
    case ZipageFailure::kWrite:
        return MemberText(failure) + " was cut short: the disk is full";
    case ZipageFailure::kData:
        return MemberText(failure) + " is damaged: its compressed data is corrupt or ends early";
    case ZipageFailure::kInflate:
        return "there was not enough memory to unpack it";
    case ZipageFailure::kRecordFull:
        return MemberText(failure) +
               " was not unpacked: the uninstall record has no room for more files";
    case ZipageFailure::kNone:
        break;
    }
    return "it could not be unpacked";
}
