#include "engine/UninstallFiles.h"

#include "engine/InstallJournal.h"
#include "engine/UninstallSharedFile.h"
#include "engine/UnspelledFile.h"
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

// A file the record names with "?" for characters the code page lacks goes
// by its wide name when exactly one file of its folder reads so.
void UninstallUnspelledFile(const std::string& path, UninstallRun& run) {
    std::u16string wide;
    switch (FindUnspelledFile(path, &wide)) {
    case UnspelledMatch::kNone:
        return;
    case UnspelledMatch::kSeveral:
        return run.Failed(path,
                          "telling which of the files that read as this name is the "
                          "product's",
                          ERROR_INVALID_NAME);
    case UnspelledMatch::kOne:
        break;
    }
    if (GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
        return run.Kept(path, "a folder, not a file");
    if (!run.DryRun() && !DeleteFileW(wide.c_str()))
        return run.Failed(path, "removing it", GetLastError());
    run.Removed(path, "its name holds characters the machine's code page cannot spell");
}

void UninstallFile(const std::string& path, UninstallRun& run) {
    if (LiesBehindLink(path))
        return run.Kept(path, "one of its folders is a link");
    if (IsUnspelledPath(path))
        return UninstallUnspelledFile(path, run);
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
    // The record and the values file it lists are read to undo the rest:
    // they go last, with the journal, and only when everything else went.
    std::set<std::string> done = {
        KIVAnsiName::Key(KIVAnsiName::Join(installFolder, ".uninstallinfos.log")),
        KIVAnsiName::Key(KIVAnsiName::Join(installFolder, InstallJournal::kValuesName))};
    for (const std::string& listed : record.files) {
        const std::string path = KIVAnsiName::Normal(listed);
        if (!done.insert(KIVAnsiName::Key(path)).second)
            continue;
        if (!record.fromJournal && IsStagedSystemFile(path, installFolder))
            UninstallSharedFile(path, run);
        else
            UninstallFile(path, run);
    }
    for (const SharedFileUse& shared : record.sharedFiles)
        UninstallCountedFile(shared, run);
}
