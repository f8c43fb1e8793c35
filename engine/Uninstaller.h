// Uninstaller: undoes an installation from the uninstall record in its
// folder, ".uninstallinfos.log": the listed files (UninstallFiles), the
// listed registry keys (UninstallRegistryKeys), the program groups' links
// into the installation folder (UninstallProgramGroups), the folders left empty
// (UninstallFolders), then the record itself and the installation folder
// when nothing else is left in it. The record goes last, and only when every
// removal succeeded, so that an interrupted or failed uninstallation can run
// again. A record that does not read whole removes nothing.
#pragma once

#include "engine/UninstallRun.h"

enum class UninstallOutcome {
    Done,       // everything that should go went (or would go, in a dry run)
    NoRecord,   // the folder holds no record: nothing to do
    Refused,    // the record is damaged; nothing was removed
    Incomplete, // some removals failed; the record stays
};

// installFolder is a Windows path. *message says why on NoRecord and Refused.
UninstallOutcome Uninstall(const std::string& installFolder, UninstallRun& run,
                           std::string* message);
