#include "engine/StartupShortcut.h"

#include "engine/CreateShellLink.h"
#include "engine/GetSpecialFolderPath.h"
#include "engine/InstallJournal.h"
#include "engine/InstallObserver.h"
#include "engine/InstalledTarget.h"
#include "engine/ShellFolderValue.h"
#include "engine/ShortcutName.h"
#include "platform/ShlObj.h"
#include "toolkit/KIVString.h"

#include <string>

namespace {

bool StartupFolder(KIVString* folder) {
    if (ReadShellFolderValue(HKEY_LOCAL_MACHINE, "Common Startup", folder))
        return true;
    char16_t path[MAX_PATH];
    if (!GetSpecialFolderPath(CSIDL_STARTUP, path))
        return false;
    *folder = path;
    return true;
}

} // namespace

bool CreateStartupShortcut(const char16_t* installFolder, const char* exeName,
                           InstalledFileList& files, InstallJournal* journal,
                           InstallObserver* observer) {
    const KIVString name(exeName);
    KIVString folder;
    if (!IsPlainName(name) || !StartupFolder(&folder))
        return false;
    const KIVString linkPath = folder + u"\\" + name + u".LNK";
    const KIVString target = KIVString(installFolder) + u"\\" + name + u".exe";
    char ansiTarget[1040];
    if (!target.ToNarrow(ansiTarget, sizeof ansiTarget))
        return false;
    if (!IsInstalledTarget(target)) {
        if (observer)
            observer->ShortcutLeftOut(linkPath, ansiTarget);
        return true;
    }
    char ansiLink[InstalledFileList::kPathSize];
    // A cut path would name another file in the uninstall record.
    if (!linkPath.ToNarrow(ansiLink, sizeof ansiLink))
        return false;
    files.Add(ansiLink);
    if (journal)
        journal->File(ansiLink);
    const std::string description = std::string("Shortcut to ") + exeName;
    if (!CreateShellLink(ansiTarget, linkPath, description.c_str()))
        return false;
    if (observer)
        observer->ShortcutMade(linkPath, ansiTarget);
    return true;
}
