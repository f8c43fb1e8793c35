// Folders and single files: CreateDirectory, RemoveDirectory, DeleteFile and
// the existence test of OpenFile.
#include "platform/FileObject.h"
#include "platform/HostPath.h"
#include "platform/HostText.h"
#include "platform/PathMap.h"
#include "platform/ShareTable.h"
#include "platform/WinBase.h"
#include "platform/WriteConfinement.h"

using DriveConfinement::LastLink;

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

template <typename Char> BOOL CreateFolder(const Char* windowsPath) {
    std::string host;
    WriteConfinement::Parent parent;
    if (!HostPath::From(windowsPath, &host, LastLink::Follow, HostPath::Use::Change) ||
        !parent.Resolve(&host))
        return FALSE;
    if (mkdir(host.c_str(), 0777) != 0)
        return HostPath::Fail(errno == ENOENT || errno == ENOTDIR
                                  ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND)
                                  : HostPath::ErrorFromErrno(errno, host));
    return TRUE;
}

template <typename Char> BOOL RemoveFolder(const Char* windowsPath) {
    std::string host;
    WriteConfinement::Parent parent;
    if (!HostPath::From(windowsPath, &host, LastLink::Itself, HostPath::Use::Change) ||
        !parent.Resolve(&host))
        return FALSE;
    struct stat info;
    if (lstat(host.c_str(), &info) == 0 && !S_ISDIR(info.st_mode))
        return HostPath::Fail(ERROR_DIRECTORY);
    if (rmdir(host.c_str()) != 0)
        return HostPath::FailFromErrno(host);
    return TRUE;
}

// Deletes a file, or a symbolic link itself (never what it points to).
template <typename Char> BOOL DeleteOne(const Char* windowsPath) {
    std::string host;
    WriteConfinement::Parent parent;
    if (!HostPath::From(windowsPath, &host, LastLink::Itself, HostPath::Use::Change) ||
        !parent.Resolve(&host))
        return FALSE;
    struct stat info;
    if (lstat(host.c_str(), &info) != 0)
        return HostPath::FailFromErrno(host);
    if (S_ISDIR(info.st_mode))
        return HostPath::Fail(ERROR_ACCESS_DENIED);
    if (!S_ISLNK(info.st_mode)) {
        if (!(info.st_mode & S_IWUSR))
            return HostPath::Fail(ERROR_ACCESS_DENIED); // the read-only attribute
        // Opens that do not share deletion, or a running program's file.
        if (DWORD error =
                ShareTable::CheckPath(host, info, ShareTable::kDelete,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE))
            return HostPath::Fail(error);
    }
    if (unlink(host.c_str()) != 0)
        return HostPath::FailFromErrno(host);
    return TRUE;
}

void FillOfStruct(LPOFSTRUCT info, const std::string& windowsPath, DWORD error) {
    if (!info)
        return;
    std::string path = HostText::ToAnsi(windowsPath);
    std::size_t length = std::min(path.size(), sizeof info->szPathName - 1);
    info->cBytes = static_cast<BYTE>(sizeof(OFSTRUCT));
    info->fFixedDisk = 1;
    info->nErrCode = static_cast<WORD>(error);
    std::memcpy(info->szPathName, path.data(), length);
    info->szPathName[length] = '\0';
}

} // namespace

BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    return CreateFolder(lpPathName);
}
BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    return CreateFolder(lpPathName);
}
BOOL RemoveDirectoryW(LPCWSTR lpPathName) {
    return RemoveFolder(lpPathName);
}
BOOL RemoveDirectoryA(LPCSTR lpPathName) {
    return RemoveFolder(lpPathName);
}
BOOL DeleteFileW(LPCWSTR lpFileName) {
    return DeleteOne(lpFileName);
}
BOOL DeleteFileA(LPCSTR lpFileName) {
    return DeleteOne(lpFileName);
}

// OF_EXIST opens the file for reading and closes it again; plain OF_READ
// keeps it open and returns the handle as an HFILE. The full path goes into
// the structure, cut to its buffer.
HFILE OpenFile(LPCSTR lpFileName, LPOFSTRUCT lpReOpenBuff, UINT uStyle) {
    std::string host;
    if (!HostPath::FromAnsi(lpFileName, &host)) {
        FillOfStruct(lpReOpenBuff, "", GetLastError());
        return HFILE_ERROR;
    }
    std::string full = PathMap::ToWindows(host);
    if (uStyle & ~(OF_EXIST | OF_READ)) {
        FillOfStruct(lpReOpenBuff, full, ERROR_NOT_SUPPORTED);
        SetLastError(ERROR_NOT_SUPPORTED);
        return HFILE_ERROR;
    }
    std::shared_ptr<FileObject> file =
        FileObject::Open(host, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         OPEN_EXISTING, 0);
    FillOfStruct(lpReOpenBuff, full, file ? 0 : GetLastError());
    if (!file)
        return HFILE_ERROR;
    SetLastError(ERROR_SUCCESS);
    if (uStyle & OF_EXIST)
        return 1;
    return static_cast<HFILE>(reinterpret_cast<ULONG_PTR>(KernelObject::Insert(file)));
}
