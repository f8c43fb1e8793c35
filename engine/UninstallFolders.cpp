#include "engine/UninstallFolders.h"

#include "engine/UninstallSharedFile.h"
#include "platform/WinBase.h"
#include "platform/WinError.h"
#include "platform/WinReg.h"
#include "toolkit/KIVAnsiName.h"

#include <algorithm>
#include <cstring>

namespace {

std::size_t Depth(const std::string& path) {
    return KIVAnsiName::CountSeparators(path);
}

// The machine's program-files folder, ANSI; empty when it is not known.
std::string ProgramFilesFolder() {
    HKEY key = nullptr;
    char folder[MAX_PATH] = {};
    DWORD size = sizeof folder - 1;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::string();
    if (RegQueryValueExA(key, "ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(folder),
                         &size) != ERROR_SUCCESS)
        folder[0] = 0;
    RegCloseKey(key);
    return folder;
}

} // namespace

UninstallFolders::UninstallFolders(const UninstallRecord& record,
                                   const std::string& installFolder) {
    for (const std::string& folder : record.folders)
        if (record.listsOutsideFolders && !KIVAnsiName::IsInside(folder, installFolder))
            ConsiderOutside(folder);
        else
            Consider(folder, installFolder);
    for (const std::string& file : record.files)
        if (!IsStagedSystemFile(file, installFolder))
            Consider(KIVAnsiName::Parent(file), installFolder);
    const auto deepestFirst = [](const std::string& a, const std::string& b) {
        return Depth(a) > Depth(b);
    };
    std::stable_sort(folders_.begin(), folders_.end(), deepestFirst);
    std::stable_sort(outside_.begin(), outside_.end(), deepestFirst);
}

void UninstallFolders::ConsiderOutside(const std::string& path) {
    const std::string folder = KIVAnsiName::Normal(path);
    if (keys_.insert(KIVAnsiName::Key(folder)).second)
        outside_.push_back(folder);
}

void UninstallFolders::RemoveOutside(UninstallRun& run) const {
    for (const std::string& folder : outside_)
        RemoveIfEmpty(folder, run);
}

void UninstallFolders::Consider(const std::string& path, const std::string& installFolder) {
    const std::string top = KIVAnsiName::Key(installFolder);
    for (std::string folder = KIVAnsiName::Normal(path);
         KIVAnsiName::IsInside(folder, installFolder) && KIVAnsiName::Key(folder) != top;
         folder = KIVAnsiName::Parent(folder))
        if (keys_.insert(KIVAnsiName::Key(folder)).second)
            folders_.push_back(folder);
}

void UninstallFolders::RemoveInner(UninstallRun& run) const {
    for (const std::string& folder : folders_)
        RemoveIfEmpty(folder, run);
}

// Whether folder still holds an entry that stays; reports those the
// installation did not make (a kept folder of its own has said why).
bool UninstallFolders::Holds(const std::string& folder, UninstallRun& run, bool report) const {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool holds = false;
    do {
        if (!std::strcmp(entry.cFileName, ".") || !std::strcmp(entry.cFileName, ".."))
            continue;
        const std::string path = folder + "\\" + entry.cFileName;
        if (run.IsRemoved(path))
            continue;
        holds = true;
        if (report && !keys_.count(KIVAnsiName::Key(path)))
            run.Kept(path, "not installed by this product");
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return holds;
}

void UninstallFolders::RemoveIfEmpty(const std::string& folder, UninstallRun& run) const {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return run.Kept(folder, "a link, not a folder");
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return run.Kept(folder, "a file, not a folder");
    if (Holds(folder, run, true))
        return run.Kept(folder, "not empty");
    if (!run.DryRun() && !RemoveDirectoryA(folder.c_str()))
        return run.Failed(folder, "removing it", GetLastError());
    run.Removed(folder);
}

void UninstallFolders::RemoveEmptyBaseFolders(const std::string& installFolder, UninstallRun& run) {
    const std::string programFiles = ProgramFilesFolder();
    if (programFiles.empty() || !run.IsRemoved(installFolder))
        return;
    const UninstallFolders none(UninstallRecord(), installFolder);
    for (std::string folder = KIVAnsiName::Parent(installFolder);
         KIVAnsiName::IsInside(folder, programFiles) &&
         KIVAnsiName::Key(folder) != KIVAnsiName::Key(programFiles);
         folder = KIVAnsiName::Parent(folder)) {
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
            none.Holds(folder, run, false))
            return;
        if (!run.DryRun() && !RemoveDirectoryA(folder.c_str()))
            return;
        run.Removed(folder);
    }
}
