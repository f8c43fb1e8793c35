// Mapping between Windows paths on the emulated machine and host paths.
// "C:" is <root>/drive_c, "Z:" is the host's "/". Both separators are
// accepted. A component that does not exist with its exact case is looked up
// without regard to case, as on Windows.
#pragma once

#include "platform/DriveConfinement.h"

#include <string>

namespace PathMap {

// Maps a Windows path (absolute with a drive, or relative to the current
// folder) to a host path. Returns false, with the Windows error code in
// *error, when the path is longer than MAX_PATH - 1 characters
// (ERROR_FILENAME_EXCED_RANGE), names an unmapped drive (ERROR_PATH_NOT_FOUND)
// or is malformed (ERROR_INVALID_NAME), and with ERROR_ACCESS_DENIED when a
// path of drive C: leads outside the drive through a symbolic link (see
// DriveConfinement; last tells whether a link as the last component is
// followed). Components that exist under another case are replaced by their
// real names; the rest are kept as given.
bool ToHost(const std::string& windowsPath, std::string* hostPath, unsigned* error,
            DriveConfinement::LastLink last = DriveConfinement::LastLink::Follow);

// True when the host path lies on a drive of the machine (C:, or another
// drive folder of the root), not on Z:.
bool OnMachineDrive(const std::string& hostPath);
// True when the host path may be changed by the machine's programs: it lies
// on a drive of the machine, or it was opened for changes with
// Machine::AllowHostChanges. Z: is otherwise read-only.
bool Changeable(const std::string& hostPath);

// The Windows form of a host path: under <root>/drive_c it is "C:\...",
// anything else is "Z:\..." with its slashes turned into backslashes.
std::string ToWindows(const std::string& hostPath);

} // namespace PathMap
