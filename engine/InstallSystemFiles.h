// InstallSystemFiles: moves the system files that the setup staged in its
// staging folder into the Windows system folder, after the install entries.
#pragma once

#include <string>
#include <vector>

// For each of stagedFiles (full ANSI paths of the files the setup itself
// unpacked or copied for the system folder; a file it did not make, such as
// one left in the staging folder by another setup, is never among them), in
// order, with the target "<system folder>\<name>":
// 1. the target's SharedDLLs count is raised when it is already counted
//    (SharedDllCounts), whatever follows; a target that does not exist yet
//    gets a count of 1 when it has none, so that the last uninstallation
//    that uses it removes it;
// 2. when the target exists and both files carry version information, the
//    staged file replaces the target only when its version is greater
//    (FileVersionOrder); a target in use is then replaced at the next start:
//    - NT family: the staged file is moved over the target; when that fails,
//      a copy is made beside the target (ReplacementCopies) and scheduled with
//      MoveFileExA to replace it at the next start;
//    - older family: the staged file is copied over the target; when that
//      fails, a copy is made beside the target and a line for it is added to
//      the "[rename]" section of WININIT.INI (WininitRenames);
// 3. otherwise (no target, or no version information on either side) the
//    staged file is copied over the target; the target is never deleted
//    first, so a copy that fails keeps it.
// Then the staged files are deleted.
//
// *restartNeeded is cleared at the start and set when a replacement waits
// for the next start. Returns false at once when a count cannot be written,
// a copy into the system folder fails, or a replacement can be neither made
// nor scheduled; the files installed and the replacements scheduled before
// stay (the older family's lines made so far are still written). False
// also when WININIT.INI can be neither opened nor made. True otherwise, and
// when nothing is staged.
//
// With a journal, each target is listed in it with its count before, ahead
// of the count's raise. An observer is told what became of each file, and
// of each replacement scheduled for the next start.
class InstallJournal;
class InstallObserver;
bool InstallSystemFiles(const std::vector<std::string>& stagedFiles, bool* restartNeeded,
                        InstallJournal* journal = nullptr, InstallObserver* observer = nullptr);
