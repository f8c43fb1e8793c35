#include "engine/UninstallProgramGroups.h"

#include "engine/ProgramGroups.h"
#include "engine/ShortcutName.h"
#include "engine/ShortcutTarget.h"
#include "engine/UninstallFolders.h"
#include "platform/ShlObj.h"
#include "platform/Windows.h"
#include "toolkit/KIVAnsiName.h"
#include "toolkit/KIVString.h"

#include <cstring>

namespace {

bool IsLinkName(const char* name) {
    const std::size_t length = std::strlen(name);
    return length > 4 && KIVAnsiName::Key(name + length - 4) == ".LNK";
}

void RemoveShortcut(const std::string& path, const std::string& installFolder, UninstallRun& run) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return;
    const std::string target = ShortcutTarget(path);
    if (target.empty() || !KIVAnsiName::IsInside(target, installFolder))
        return;
    if (!run.DryRun() && !DeleteFileA(path.c_str()))
        return run.Failed(path, "removing it", GetLastError());
    run.Removed(path, "a shortcut to " + target);
}

void UninstallGroup(const std::string& group, const std::string& installFolder, UninstallRun& run) {
    const DWORD attributes = GetFileAttributesA(group.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return run.Kept(group, "a link, not a folder");
    std::vector<std::string> links;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((group + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do
            if (IsLinkName(entry.cFileName))
                links.push_back(group + "\\" + entry.cFileName);
        while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    for (const std::string& link : links)
        RemoveShortcut(link, installFolder, run);
    UninstallFolders(UninstallRecord(), group).RemoveIfEmpty(group, run);
}

} // namespace

void UninstallProgramGroups(const UninstallRecord& record, const std::string& installFolder,
                            UninstallRun& run) {
    const KIVString name(record.applicationName.c_str());
    if (record.applicationName.empty() || !IsPlainName(name))
        return;
    for (const std::string& folder :
         {ProgramsFolderAnsi(HKEY_LOCAL_MACHINE, "Common Programs", CSIDL_COMMON_PROGRAMS),
          ProgramsFolderAnsi(HKEY_CURRENT_USER, "Programs", CSIDL_PROGRAMS)})
        if (!folder.empty())
            UninstallGroup(folder + "\\" + record.applicationName, installFolder, run);
}
