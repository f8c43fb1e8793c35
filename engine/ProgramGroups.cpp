#include "engine/ProgramGroups.h"

#include "engine/CreateFolderPath.h"
#include "engine/CreateShellLink.h"
#include "engine/GetSpecialFolderPath.h"
#include "engine/InstallJournal.h"
#include "engine/InstallObserver.h"
#include "engine/InstalledTarget.h"
#include "engine/ShellFolderValue.h"
#include "engine/ShortcutName.h"
#include "platform/ShlObj.h"
#include "toolkit/KIVString.h"
#include "toolkit/KIVSystem.h"

namespace {

KIVString EntryFolder(const InstallEntry& entry, const char16_t* installFolder) {
    if (entry.system) {
        char16_t windows[MAX_PATH];
        KIVGetWindowsDirectory(windows, MAX_PATH);
        return windows;
    }
    // An entry installed into the installation folder itself has no sub-folder.
    if (!entry.destinationFolder[0])
        return installFolder;
    return KIVString(installFolder) + u"\\" + KIVString(entry.destinationFolder);
}

// The file a shortcut points at; false when its name or target is not a
// plain name inside its folder, or the path has no ANSI form.
bool ShortcutTargetPath(const ShortcutEntry& shortcut, const ProgramGroupSource& source,
                        KIVString* targetPath, std::string* ansiTarget) {
    const KIVString target(shortcut.targetFile);
    if (!IsPlainName(KIVString(shortcut.shortcutName)) || !IsInnerPath(target))
        return false;
    *targetPath = EntryFolder(*shortcut.entry, source.installFolder) + u"\\" + target;
    char ansi[1040];
    if (!targetPath->ToNarrow(ansi, sizeof ansi))
        return false;
    *ansiTarget = ansi;
    return true;
}

bool IsPCShortcut(const ShortcutEntry& shortcut) {
    return shortcut.entry && shortcut.entry->IsForPC();
}

// Whether some shortcut of the group would become a link: a group whose
// every target was left uninstalled would be an empty folder in the menu.
bool AnyLinkToMake(const ProgramGroupSource& source) {
    KIVString targetPath;
    std::string ansiTarget;
    for (const ShortcutEntry& shortcut : source.shortcuts)
        if (IsPCShortcut(shortcut) &&
            ShortcutTargetPath(shortcut, source, &targetPath, &ansiTarget) &&
            IsInstalledTarget(targetPath))
            return true;
    return false;
}

bool CreateShortcut(const char16_t* groupFolder, const ShortcutEntry& shortcut,
                    const ProgramGroupSource& source) {
    KIVString targetPath;
    std::string ansiTarget;
    if (!ShortcutTargetPath(shortcut, source, &targetPath, &ansiTarget))
        return false;
    const KIVString linkPath =
        KIVString(groupFolder) + u"\\" + KIVString(shortcut.shortcutName) + u".LNK";
    if (!IsInstalledTarget(targetPath)) {
        if (source.observer)
            source.observer->ShortcutLeftOut(linkPath, ansiTarget.c_str());
        return true;
    }
    const std::string description = std::string("Shortcut to ") + shortcut.targetFile;
    if (source.journal)
        source.journal->File(linkPath);
    if (!CreateShellLink(ansiTarget.c_str(), linkPath, description.c_str()))
        return false;
    if (source.observer)
        source.observer->ShortcutMade(linkPath, ansiTarget.c_str());
    return true;
}

bool CreateGroupFolder(const char16_t* groupFolder, const ProgramGroupSource& source) {
    CreateFolderPath(groupFolder, source.journal);
    if (!KIVCreateDirectory(groupFolder) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    if (source.observer)
        source.observer->ProgramGroupMade(groupFolder);
    return true;
}

} // namespace

KIVString ProgramsFolder(HKEY root, const char* valueName, int csidl) {
    KIVString folder;
    if (ReadShellFolderValue(root, valueName, &folder))
        return folder;
    char16_t path[MAX_PATH];
    if (GetSpecialFolderPath(csidl, path))
        folder = path;
    return folder;
}

std::string ProgramsFolderAnsi(HKEY root, const char* valueName, int csidl) {
    const KIVString folder = ProgramsFolder(root, valueName, csidl);
    char ansi[MAX_PATH * 2];
    return !folder.IsEmpty() && folder.ToNarrow(ansi, sizeof ansi) ? ansi : std::string();
}

bool CreateGroupShortcuts(const char16_t* groupFolder, const ProgramGroupSource& source) {
    if (AnyLinkToMake(source) && !CreateGroupFolder(groupFolder, source))
        return false;
    for (const ShortcutEntry& shortcut : source.shortcuts)
        if (IsPCShortcut(shortcut) && !CreateShortcut(groupFolder, shortcut, source))
            return false;
    return true;
}

bool CreateProgramGroups(const ProgramGroupSource& source) {
    const KIVString group(source.groupName);
    if (!IsPlainName(group))
        return false;
    const KIVString common =
        ProgramsFolder(HKEY_LOCAL_MACHINE, "Common Programs", CSIDL_COMMON_PROGRAMS);
    const KIVString user = ProgramsFolder(HKEY_CURRENT_USER, "Programs", CSIDL_PROGRAMS);
    bool made = false;
    if (!common.IsEmpty())
        made = CreateGroupShortcuts(common + u"\\" + group, source);
    if (!user.IsEmpty())
        made = CreateGroupShortcuts(user + u"\\" + group, source) || made;
    return made;
}
