// UninstallSharedFile: the system-folder side of a file the setup installed
// from its staging folder, under the SharedDLLs use counts (HKEY_LOCAL_MACHINE
// Software\Microsoft\Windows\CurrentVersion\SharedDLLs, one REG_DWORD named
// by the file's full path).
#pragma once

#include "engine/UninstallRecord.h"
#include "engine/UninstallRun.h"

// Whether a recorded path names a file of the setup's staging folder: its
// folder is called "TemporaryFiles" and lies outside the installation folder.
bool IsStagedSystemFile(const std::string& path, const std::string& installFolder);

// Lowers the use count of the system folder's file named like the staged
// file; removes the file and its count when the count reaches 0; keeps the
// file, saying why, otherwise.
void UninstallSharedFile(const std::string& stagedPath, UninstallRun& run);

// A system file that an install journal lists with the count it had before
// the setup raised it: the count is lowered only when it is above that, that
// is when the setup got as far as raising it. A file without a count before
// that now has a count of 1 is one the setup placed where none was and
// counted: it goes with its count. Otherwise the file stays: a count before
// means other programs use it, and no count means the setup made none (the
// file was there before, uncounted).
void UninstallCountedFile(const SharedFileUse& shared, UninstallRun& run);
