#include "engine/Uninstaller.h"

#include "engine/UninstallFiles.h"
#include "engine/UninstallFolders.h"
#include "engine/UninstallProgramGroups.h"
#include "engine/UninstallRecordReader.h"
#include "engine/UninstallRegistryKeys.h"
#include "platform/WinBase.h"
#include "platform/WinError.h"

namespace {

constexpr DWORD kLargestRecord = 64u << 20;

enum class ReadResult { Read, Missing, Unreadable };

ReadResult ReadRecordFile(const std::string& path, std::string* bytes, std::string* message) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        *message = path + ": cannot be opened (error " + std::to_string(error) + ")";
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? ReadResult::Missing
                   : ReadResult::Unreadable;
    }
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    DWORD got = 0;
    bool read = false;
    if (high == 0 && size <= kLargestRecord) {
        bytes->resize(size);
        read = ReadFile(file, bytes->data(), size, &got, nullptr) && got == size;
    }
    CloseHandle(file);
    if (!read)
        *message = path + ": cannot be read whole (larger than 64 MiB, or a read failed)";
    return read ? ReadResult::Read : ReadResult::Unreadable;
}

void RemoveRecord(const std::string& path, UninstallRun& run) {
    if (run.Incomplete())
        return run.Kept(path, "kept for another run, since some removals failed");
    if (!run.DryRun() && !DeleteFileA(path.c_str()))
        return run.Failed(path, "removing it", GetLastError());
    run.Removed(path, "the uninstall record");
}

} // namespace

UninstallOutcome Uninstall(const std::string& installFolder, UninstallRun& run,
                           std::string* message) {
    const std::string folder = UninstallRun::Normal(installFolder);
    const std::string path = folder + "\\.uninstallinfos.log";
    std::string bytes;
    switch (ReadRecordFile(path, &bytes, message)) {
    case ReadResult::Missing:
        *message = folder + " holds no uninstall record (.uninstallinfos.log)";
        return UninstallOutcome::NoRecord;
    case ReadResult::Unreadable:
        return UninstallOutcome::Refused;
    case ReadResult::Read:
        break;
    }
    UninstallRecord record;
    UninstallRecordError error;
    if (!ReadUninstallRecord(bytes, &record, &error)) {
        *message = path + (error.line ? ", line " + std::to_string(error.line) : "") + ": " +
                   error.reason + "; nothing was removed";
        return UninstallOutcome::Refused;
    }
    const UninstallFolders folders(record, folder);
    UninstallFiles(record, folder, run);
    UninstallRegistryKeys(record, run);
    UninstallProgramGroups(record, folder, run);
    folders.RemoveInner(run);
    RemoveRecord(path, run);
    folders.RemoveIfEmpty(folder, run);
    UninstallFolders::RemoveEmptyBaseFolders(folder, run);
    return run.Incomplete() ? UninstallOutcome::Incomplete : UninstallOutcome::Done;
}
