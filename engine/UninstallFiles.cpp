#include "engine/UninstallFiles.h"

#include "engine/UninstallSharedFile.h"
#include "platform/WinBase.h"
#include "platform/WinError.h"
#include "toolkit/KIVAnsiName.h"

namespace {

// A folder on the way to path that is a link would send the deletion
// somewhere the installation never wrote to. The machine refuses outright
// a link that leads off its drive.
bool LiesBehindLink(const std::string& path) {
    for (std::string folder = KIVAnsiName::Parent(path); !folder.empty();
         folder = KIVAnsiName::Parent(folder)) {
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() == ERROR_ACCESS_DENIED
                                                  : (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return true;
    }
    return false;
}

void Delete(const std::string& path, const char* what, UninstallRun& run) {
    if (!run.DryRun() && !DeleteFileA(path.c_str()))
        return run.Failed(path, "removing it", GetLastError());
    run.Removed(path, what);
}

void UninstallFile(const std::string& path, UninstallRun& run) {
    if (LiesBehindLink(path))
        return run.Kept(path, "one of its folders is a link");
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool link =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Gone already, or a link that leads nowhere or off the drive: only
        // the link goes.
        if (run.DryRun())
            return;
        if (DeleteFileA(path.c_str()))
            return run.Removed(path, "a link");
        if (GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND)
            run.Failed(path, "removing it", GetLastError());
        return;
    }
    if (link)
        return Delete(path, "a link", run);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return run.Kept(path, "a folder, not a file");
    Delete(path, "", run);
}

} // namespace

void UninstallFiles(const UninstallRecord& record, const std::string& installFolder,
                    UninstallRun& run) {
    const std::string recordPath = KIVAnsiName::Key(installFolder + "\\.uninstallinfos.log");
    std::set<std::string> done;
    for (const std::string& listed : record.files) {
        const std::string path = KIVAnsiName::Normal(listed);
        if (KIVAnsiName::Key(path) == recordPath || !done.insert(KIVAnsiName::Key(path)).second)
            continue;
        if (!record.fromJournal && IsStagedSystemFile(path, installFolder))
            UninstallSharedFile(path, run);
        else
            UninstallFile(path, run);
    }
    for (const SharedFileUse& shared : record.sharedFiles)
        UninstallCountedFile(shared, run);
}
