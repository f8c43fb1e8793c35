// Uninstaller: undoes an installation from the uninstall record in its
// folder, ".uninstallinfos.log", or, when a setup was killed before it wrote
// one, from its install journal (InstallJournal): the listed files
// (UninstallFiles), the listed registry keys (UninstallRegistryKeys, with
// the values file or the journal telling which values are the product's),
// the program groups' links into the installation folder
// (UninstallProgramGroups), the folders left empty (UninstallFolders), then
// the values file, the journal and the record themselves and the
// installation folder when nothing else is left in it. The record goes last,
// and only when every removal succeeded, so that an interrupted or failed
// uninstallation can run again. A record, journal or values file that does
// not read whole removes nothing.
#pragma once

#include "engine/UninstallRun.h"

enum class UninstallOutcome {
    Done,       // everything that should go went (or would go, in a dry run)
    NoRecord,   // the folder holds no record: nothing to do
    Refused,    // the record is damaged; nothing was removed
    Incomplete, // some removals failed; the record stays
    OutOfScope, // lines naming places outside the product's were refused (see
                // UninstallScope), the rest was undone; the record stays
};

// installFolder is a Windows path. *message says why on NoRecord and Refused.
UninstallOutcome Uninstall(const std::string& installFolder, UninstallRun& run,
                           std::string* message);
