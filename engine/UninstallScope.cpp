#include "engine/UninstallScope.h"

#include "engine/ProgramGroups.h"
#include "engine/ShortcutName.h"
#include "engine/ShortcutTarget.h"
#include "engine/UninstallRun.h"
#include "platform/ShlObj.h"
#include "platform/Windows.h"
#include "toolkit/KIVAnsiName.h"
#include "toolkit/KIVString.h"

#include <cctype>

namespace {

std::string StagingFolder() {
    char temporary[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temporary);
    return length == 0 || length >= MAX_PATH ? std::string()
                                             : std::string(temporary) + "TemporaryFiles";
}

std::string SystemFolder() {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(folder);
}

bool IsLinkName(const std::string& path) {
    return path.size() > 4 && KIVAnsiName::Key(path.substr(path.size() - 4)) == ".LNK";
}

bool InsideAny(const std::string& path, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders)
        if (KIVAnsiName::IsInside(path, folder))
            return true;
    return false;
}

} // namespace

UninstallScope::UninstallScope(const std::string& installFolder, const std::string& applicationName)
    : installFolder_(KIVAnsiName::Normal(installFolder)), systemFolder_(SystemFolder()) {
    if (IsPlainPath(installFolder_))
        areas_.push_back(installFolder_);
    if (const std::string staging = StagingFolder(); !staging.empty())
        areas_.push_back(staging);
    const KIVString name(applicationName.c_str());
    const bool plainName = !applicationName.empty() && IsPlainName(name);
    const std::string programs[] = {
        ProgramsFolderAnsi(HKEY_LOCAL_MACHINE, "Common Programs", CSIDL_COMMON_PROGRAMS),
        ProgramsFolderAnsi(HKEY_CURRENT_USER, "Programs", CSIDL_PROGRAMS)};
    for (const std::string& folder : programs)
        if (plainName && !folder.empty())
            groups_.push_back(folder + "\\" + applicationName);
    for (const std::string& folder :
         {ProgramsFolderAnsi(HKEY_LOCAL_MACHINE, "Common Startup", CSIDL_COMMON_STARTUP),
          ProgramsFolderAnsi(HKEY_CURRENT_USER, "Startup", CSIDL_STARTUP)})
        if (!folder.empty())
            startupFolders_.push_back(folder);
}

bool UninstallScope::IsPlainPath(const std::string& path) {
    if (path.size() < 3 || !std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':' ||
        path[2] != '\\')
        return false;
    const std::string_view rest = std::string_view(path).substr(3);
    const auto names = KIVAnsiName::Components(rest, KIVAnsiName::Separators::kBoth);
    if (names.size() != KIVAnsiName::Components(rest).size())
        return false; // a slash
    for (const std::string_view name : names)
        if (name == "." || name == "..")
            return false;
    return true;
}

// Whether folder holds one of the scope's folders: a folder the setup made
// on the way to them, which goes only when it is left empty.
bool UninstallScope::HoldsAny(const std::string& folder) const {
    if (KIVAnsiName::Parent(folder).empty())
        return false; // a drive's root folder
    for (const auto* list : {&areas_, &groups_})
        for (const std::string& inner : *list)
            if (KIVAnsiName::IsInside(inner, folder))
                return true;
    return false;
}

// A shell link to a program of the installation folder; a link file that is
// gone already (nothing is then removed); or one that holds no link at all,
// as a setup killed while it wrote the link leaves it (it leads nowhere).
bool UninstallScope::IsLinkToProduct(const std::string& path) const {
    if (!IsLinkName(path))
        return false;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    const std::string target = ShortcutTarget(path);
    return target.empty() || KIVAnsiName::IsInside(target, installFolder_);
}

bool UninstallScope::IsStartupShortcut(const std::string& path) const {
    const std::string folder = KIVAnsiName::Key(KIVAnsiName::Parent(path));
    for (const std::string& startup : startupFolders_)
        if (folder == KIVAnsiName::Key(startup))
            return IsLinkToProduct(path);
    return false;
}

std::string UninstallScope::Refusal(const std::string& path, bool folder) const {
    if (!IsPlainPath(path))
        return "not a plain absolute path on the machine (a \".\" or \"..\" component, a "
               "slash, or no drive)";
    if (InsideAny(path, areas_))
        return std::string();
    if (InsideAny(path, groups_) && (folder || IsLinkToProduct(path)))
        return std::string();
    if (folder && HoldsAny(path))
        return std::string();
    if (!folder && IsStartupShortcut(path))
        return std::string();
    return "outside this product's installation folder, staging folder, program groups and "
           "start-up shortcut";
}

std::string UninstallScope::SystemFileRefusal(const std::string& path) const {
    if (!IsPlainPath(path))
        return Refusal(path);
    if (systemFolder_.empty() ||
        KIVAnsiName::Key(KIVAnsiName::Parent(path)) != KIVAnsiName::Key(systemFolder_))
        return "a shared file outside the system folder";
    return std::string();
}
