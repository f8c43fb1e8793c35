// CreateProgramGroups and CreateGroupShortcuts: after a successful
// installation, the program group named after the application in the
// all-users and in the user's Start menu Programs folder, with one link per
// shortcut record of the description.
#pragma once

#include "engine/ShortcutEntry.h"
#include "platform/WinReg.h"
#include "toolkit/KIVString.h"

#include <string>

#include <vector>

class InstallJournal;
class InstallObserver;

struct ProgramGroupSource {
    const std::vector<ShortcutEntry>& shortcuts; // in the description's order
    const char16_t* installFolder;               // the installation folder
    const char* groupName;                       // the application name, ANSI
    // When given, each group folder made and each link is listed in it
    // before it is made, so that a setup killed in between leaves nothing
    // that its journal does not name.
    InstallJournal* journal = nullptr;
    // When given, told of each group folder and each link made.
    InstallObserver* observer = nullptr;
};

// The Programs folders come from the "Shell Folders" key: "Common Programs"
// under HKEY_LOCAL_MACHINE, "Programs" under HKEY_CURRENT_USER; a folder
// missing there is asked of the shell (CSIDL_COMMON_PROGRAMS,
// CSIDL_PROGRAMS). The shortcuts are made in "<folder>\<group name>" of the
// all-users folder first, then of the user's, each when its folder is known.
// True when either group was completed; false when neither folder is known
// or the group name is not a plain name (ShortcutName.h).
// A Programs folder: the value valueName of root's "Shell Folders" key,
// else the shell's special folder csidl; empty when neither names one.
KIVString ProgramsFolder(HKEY root, const char* valueName, int csidl);
// The same folder as ANSI text; empty when it is not known.
std::string ProgramsFolderAnsi(HKEY root, const char* valueName, int csidl);

bool CreateProgramGroups(const ProgramGroupSource& source);

// Creates groupFolder and the folders above it (an existing one is kept with
// what it holds) when at least one link will be made in it, then for each record of a PC entry, in
// order, the link
// "<groupFolder>\<shortcut name>.LNK" (replacing a link of that name) to
// "<Windows folder>\<target file>" for an entry with the system flag,
// "<installation folder>\<entry folder>\<target file>" otherwise, described
// as "Shortcut to <target file>". Records of Mac-only entries make no link.
// A record whose target file is not on the machine makes no link; the
// observer is told it was left out, and the group goes on. A group whose
// every target is missing makes no folder: it would stay empty.
// False when the group folder cannot be made, or at the first record whose
// link fails or whose shortcut name or target file is not a plain name; the
// links made before stay.
bool CreateGroupShortcuts(const char16_t* groupFolder, const ProgramGroupSource& source);
