// RunEntryPrograms: at the end of the setup, runs the programs of the install
// entries whose run flag is set, one after the other.
#pragma once

#include "engine/InstallEntry.h"

#include <vector>

// For each entry of runList, in order, lists its folder: the installation
// folder and the entry's destination sub-folder for a packed entry, the
// installation source and its source sub-folder for one that is not (the
// folder itself when the sub-folder is empty). Each plain file there whose name ends in ".exe" (any
// case) is started, in listing order, with its full path in quotes as the command line, so that a
// path with blanks names that program and no other; the next starts when it has ended. A program
// that cannot start is passed over.
void RunEntryPrograms(const std::vector<const InstallEntry*>& runList,
                      const char16_t* installFolder, const char16_t* installSource);
