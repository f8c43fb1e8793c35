// What a start of Windows does with the replacements left for it, carried
// out on the emulated machine by ExitWindowsEx and "kivtool machine restart".
// Nothing else of a restart happens: running programs keep running, so a
// file one of them still holds makes its replacement fail.
#pragma once

#include "platform/WinBase.h"

#include <string>
#include <vector>

struct RestartStep {
    enum class Origin { WininitIni, PendingRenames };
    Origin origin;
    std::string source; // Windows path (UTF-8)
    std::string target; // Windows path (UTF-8); empty when the source is deleted
    DWORD error;        // ERROR_SUCCESS when done
};

// Carries out, in this order, each step appended to *steps as it is made; a
// failing step does not stop the others:
// 1. the "[rename]" section of WININIT.INI in the Windows folder, as the
//    older family does: its "TARGET=SOURCE" lines in file order (blanks
//    around either side do not count), each replacing TARGET by SOURCE,
//    "NUL=SOURCE" deleting SOURCE; then the file is renamed WININIT.BAK
//    (replacing an older one), which is the last step of this part;
// 2. the PendingFileRenameOperations pairs in order (see PendingRenames): a
//    move of the source to the target, replacing an existing target only
//    when the pair says so; a deletion of the source (a file or an empty
//    folder) when the target is empty; then the value is removed.
// Moves may cross drives of the machine. Paths are the machine's, mapped and
// confined as every Win32 call maps them. A line or pair that names a path
// off the machine's drives (Z:, the host, or out of drive C: through a link)
// is never carried out: it goes to *skipped (when given) with the error
// ERROR_ACCESS_DENIED, and not to *steps. A path that cannot be mapped at all
// is a step that fails with the mapping's error. Returns
// ERROR_SUCCESS, or the registry's error when the pending pairs could not be
// read or removed (a user who is not an administrator cannot remove them:
// they are then left, unapplied).
DWORD MachineRestart(std::vector<RestartStep>* steps, std::vector<RestartStep>* skipped = nullptr);
