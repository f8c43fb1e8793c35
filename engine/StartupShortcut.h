// CreateStartupShortcut: at the end of the setup, when the user asked for it,
// a link to the installed program in the Startup folder.
#pragma once

#include "engine/InstalledFileList.h"

// The folder is "Common Startup" of HKEY_LOCAL_MACHINE's "Shell Folders" key,
// else the user's Startup folder from the shell (CSIDL_STARTUP). The link
// "<folder>\<exeName>.LNK" points to "<installFolder>\<exeName>.exe" and is
// described as "Shortcut to <exeName>". Its path is added to files before
// the link is made, so that uninstallation removes it even when making it
// failed; a journal lists it too, and an observer is told of the link once
// it is made. When the program was not installed no link is made and
// nothing is listed: the observer is told it was left out, and the result
// is true. False when no folder is known, when
// exeName is not a plain name (nothing is added then: the record would name
// a file outside the folder) or when the link fails.
class InstallJournal;
class InstallObserver;
bool CreateStartupShortcut(const char16_t* installFolder, const char* exeName,
                           InstalledFileList& files, InstallJournal* journal = nullptr,
                           InstallObserver* observer = nullptr);
