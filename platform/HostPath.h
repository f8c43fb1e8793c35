// Path arguments of the Win32 functions, mapped to the host, and the host's
// failures told as Windows error codes. Internal to the platform layer.
#pragma once

#include "platform/DriveConfinement.h"
#include "platform/WinBase.h"

#include <string>
#include <sys/stat.h>

namespace HostPath {

using DriveConfinement::LastLink;

// What a call does at its path: only reads it, or changes it (creates,
// writes, truncates, deletes, renames, makes a folder). A change is refused
// with ERROR_ACCESS_DENIED where the machine's programs may not change the
// host (PathMap::Changeable).
enum class Use { Read, Change };

// Maps a "W" path (UTF-16) or an "A" path (ANSI code page) to a host path;
// last says whether the call follows a link at the end of the path or acts
// on the link itself. On failure sets the last error and returns false.
bool FromWide(LPCWSTR windowsPath, std::string* hostPath, LastLink last = LastLink::Follow,
              Use use = Use::Read);
bool FromAnsi(LPCSTR windowsPath, std::string* hostPath, LastLink last = LastLink::Follow,
              Use use = Use::Read);
inline bool From(LPCWSTR windowsPath, std::string* hostPath, LastLink last = LastLink::Follow,
                 Use use = Use::Read) {
    return FromWide(windowsPath, hostPath, last, use);
}
inline bool From(LPCSTR windowsPath, std::string* hostPath, LastLink last = LastLink::Follow,
                 Use use = Use::Read) {
    return FromAnsi(windowsPath, hostPath, last, use);
}

// The host folder holding a host path ("/" for "/x").
std::string Parent(const std::string& hostPath);
// The last component of a Windows or host path.
std::string LastComponent(const std::string& path);

// The Windows error for a failed host call on hostPath: a missing entry is
// ERROR_FILE_NOT_FOUND when its folder exists and ERROR_PATH_NOT_FOUND when
// it does not, as on Windows.
DWORD ErrorFromErrno(int error, const std::string& hostPath);
// Sets the last error from errno and returns FALSE.
BOOL FailFromErrno(const std::string& hostPath);
// Sets the last error and returns FALSE.
BOOL Fail(DWORD error);

// The permissions of a new host file. A program file (".exe") gets the run
// bit: Windows runs any program file, while the host starts only files that
// carry it (CreateProcessA), so an installed program could not be started.
mode_t NewFileMode(const std::string& hostPath, bool readOnly);

// The Windows attributes of a host file. A symbolic link found by a listing
// (lstat) is a reparse point and never a folder, so that a tree walk does
// not follow it out of the tree.
DWORD Attributes(const struct stat& info, bool isLink);
FILETIME FileTime(const struct timespec& time);

} // namespace HostPath
