#include "engine/UninstallProgramGroups.h"

#include "engine/ProgramGroups.h"
#include "engine/ShortcutName.h"
#include "engine/UninstallFolders.h"
#include "platform/ShellLinkFile.h"
#include "platform/ShlObj.h"
#include "platform/Windows.h"
#include "toolkit/KIVString.h"

#include <cstring>

namespace {

constexpr DWORD kLargestLink = 1u << 20;

// A Programs folder, ANSI, from the "Shell Folders" key, else from the
// shell; empty when it is not known.
std::string ProgramsFolderAnsi(HKEY root, const char* valueName, int csidl) {
    const KIVString folder = ProgramsFolder(root, valueName, csidl);
    char ansi[MAX_PATH * 2];
    return !folder.IsEmpty() && folder.ToNarrow(ansi, sizeof ansi) ? ansi : std::string();
}

// The ANSI target of the shell link at path; empty when it is none.
std::string LinkTarget(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    DWORD high = 0, got = 0;
    const DWORD size = GetFileSize(file, &high);
    std::vector<BYTE> bytes(high == 0 && size <= kLargestLink ? size : 0);
    const bool read =
        !bytes.empty() && ReadFile(file, bytes.data(), size, &got, nullptr) && got == size;
    CloseHandle(file);
    ShellLinkData link;
    if (!read || !ShellLinkFile::Read(bytes.data(), bytes.size(), &link))
        return std::string();
    return link.ansiTargetPath;
}

bool IsLinkName(const char* name) {
    const std::size_t length = std::strlen(name);
    return length > 4 && UninstallRun::Key(name + length - 4) == ".LNK";
}

void RemoveShortcut(const std::string& path, const std::string& installFolder, UninstallRun& run) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return;
    const std::string target = LinkTarget(path);
    if (target.empty() || !UninstallRun::IsInside(target, installFolder))
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
