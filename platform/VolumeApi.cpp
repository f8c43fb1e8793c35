// Free disk space and the current directory.
#include "platform/HostPath.h"
#include "platform/HostText.h"
#include "platform/Machine.h"
#include "platform/PathMap.h"
#include "platform/WinBase.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace {

BOOL DiskFree(const std::string& host, PULARGE_INTEGER available, PULARGE_INTEGER total,
              PULARGE_INTEGER free) {
    struct stat info;
    if (stat(host.c_str(), &info) != 0)
        return HostPath::Fail(ERROR_PATH_NOT_FOUND);
    if (!S_ISDIR(info.st_mode))
        return HostPath::Fail(ERROR_DIRECTORY);
    struct statvfs volume;
    if (statvfs(host.c_str(), &volume) != 0)
        return HostPath::FailFromErrno(host);
    ULONGLONG unit = volume.f_frsize ? volume.f_frsize : volume.f_bsize;
    if (available)
        available->QuadPart = static_cast<ULONGLONG>(volume.f_bavail) * unit;
    if (total)
        total->QuadPart = static_cast<ULONGLONG>(volume.f_blocks) * unit;
    if (free)
        free->QuadPart = static_cast<ULONGLONG>(volume.f_bfree) * unit;
    return TRUE;
}


bool CurrentHostDirectory(std::string* host) {
    std::vector<char> buffer(4096);
    if (!getcwd(buffer.data(), buffer.size())) {
        SetLastError(errno == ENOENT ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND)
                                     : static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
        return false;
    }
    *host = buffer.data();
    return true;
}

// The upper-case drive letter of a Windows path; a path without one (or no
// path) is on the drive of the current folder.
template <typename Char> char DriveOf(const Char* folder) {
    if (folder && folder[0] && folder[1] == ':' && folder[0] < 0x80)
        return static_cast<char>(std::toupper(static_cast<unsigned char>(folder[0])));
    std::string current;
    return CurrentHostDirectory(&current) ? PathMap::ToWindows(current)[0] : 'C';
}

// The machine's own word on a drive's room: it may state less than the host has.
void ApplyStatedFreeSpace(char drive, PULARGE_INTEGER available, PULARGE_INTEGER free) {
    const auto& stated = Machine::Current().Settings().freeSpace;
    const auto found = stated.find(drive);
    if (found == stated.end())
        return;
    if (available)
        available->QuadPart = std::min<ULONGLONG>(available->QuadPart, found->second);
    if (free)
        free->QuadPart = std::min<ULONGLONG>(free->QuadPart, found->second);
}

template <typename Char>
BOOL DiskFreeOf(const Char* folder, PULARGE_INTEGER available, PULARGE_INTEGER total,
                PULARGE_INTEGER free) {
    std::string host = ".";
    if (folder && !HostPath::From(folder, &host))
        return FALSE;
    if (!DiskFree(host, available, total, free))
        return FALSE;
    ApplyStatedFreeSpace(DriveOf(folder), available, free);
    return TRUE;
}


template <typename Char> BOOL ChangeDirectory(const Char* folder) {
    std::string host;
    if (!HostPath::From(folder, &host))
        return FALSE;
    struct stat info;
    if (stat(host.c_str(), &info) == 0 && !S_ISDIR(info.st_mode))
        return HostPath::Fail(ERROR_DIRECTORY);
    if (chdir(host.c_str()) != 0)
        return HostPath::FailFromErrno(host);
    return TRUE;
}

} // namespace

BOOL GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                         PULARGE_INTEGER lpTotalNumberOfBytes,
                         PULARGE_INTEGER lpTotalNumberOfFreeBytes) {
    return DiskFreeOf(lpDirectoryName, lpFreeBytesAvailableToCaller, lpTotalNumberOfBytes,
                      lpTotalNumberOfFreeBytes);
}

BOOL GetDiskFreeSpaceExA(LPCSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                         PULARGE_INTEGER lpTotalNumberOfBytes,
                         PULARGE_INTEGER lpTotalNumberOfFreeBytes) {
    return DiskFreeOf(lpDirectoryName, lpFreeBytesAvailableToCaller, lpTotalNumberOfBytes,
                      lpTotalNumberOfFreeBytes);
}

DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer) {
    std::string host;
    if (!CurrentHostDirectory(&host))
        return 0;
    return HostText::ReturnW(PathMap::ToWindows(host), lpBuffer, nBufferLength);
}

DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    std::string host;
    if (!CurrentHostDirectory(&host))
        return 0;
    return HostText::ReturnA(PathMap::ToWindows(host), lpBuffer, nBufferLength);
}

BOOL SetCurrentDirectoryW(LPCWSTR lpPathName) {
    return ChangeDirectory(lpPathName);
}
BOOL SetCurrentDirectoryA(LPCSTR lpPathName) {
    return ChangeDirectory(lpPathName);
}
