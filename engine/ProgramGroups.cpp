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

bool CreateShortcut(const char16_t* groupFolder, const ShortcutEntry& shortcut,
                    const ProgramGroupSource& source) {
    const KIVString name(shortcut.shortcutName);
    const KIVString target(shortcut.targetFile);
    if (!IsPlainName(name) || !IsInnerPath(target))
        return false;
    const KIVString targetPath =
        EntryFolder(*shortcut.entry, source.installFolder) + u"\\" + target;
    char ansiTarget[1040];
    if (!targetPath.ToNarrow(ansiTarget, sizeof ansiTarget))
        return false;
    const KIVString linkPath = KIVString(groupFolder) + u"\\" + name + u".LNK";
    if (!IsInstalledTarget(targetPath)) {
        if (source.observer)
            source.observer->ShortcutLeftOut(linkPath, ansiTarget);
        return true;
    }
    const std::string description = std::string("Shortcut to ") + shortcut.targetFile;
    if (source.journal)
        source.journal->File(linkPath);
    if (!CreateShellLink(ansiTarget, linkPath, description.c_str()))
        return false;
    if (source.observer)
        source.observer->ShortcutMade(linkPath, ansiTarget);
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
    CreateFolderPath(groupFolder, source.journal);
    if (!KIVCreateDirectory(groupFolder) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    if (source.observer)
        source.observer->ProgramGroupMade(groupFolder);
    for (const ShortcutEntry& shortcut : source.shortcuts) {
        if (!shortcut.entry || !shortcut.entry->IsForPC())
            continue;
        if (!CreateShortcut(groupFolder, shortcut, source))
            return false;
    }
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
