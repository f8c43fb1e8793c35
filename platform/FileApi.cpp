// Files: CreateFile, ReadFile, WriteFile, SetFilePointer, GetFileSize and
// GetFileAttributes.
#include "platform/FileObject.h"
#include "platform/HostPath.h"
#include "platform/WinBase.h"
#include "platform/WriteConfinement.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An open for writing, or one that may create the file, changes its path.
HostPath::Use PathUse(DWORD access, DWORD disposition) {
    bool changes = (access & GENERIC_WRITE) != 0 || disposition != OPEN_EXISTING;
    return changes ? HostPath::Use::Change : HostPath::Use::Read;
}

HANDLE Create(std::string hostPath, DWORD access, DWORD share, DWORD disposition,
              DWORD attributes) {
    WriteConfinement::Parent parent;
    if (PathUse(access, disposition) == HostPath::Use::Change && !parent.Resolve(&hostPath))
        return INVALID_HANDLE_VALUE;
    std::shared_ptr<FileObject> file =
        FileObject::Open(hostPath, access, share, disposition, attributes);
    if (!file)
        return INVALID_HANDLE_VALUE;
    DWORD outcome = GetLastError();
    HANDLE handle = KernelObject::Insert(file);
    SetLastError(outcome);
    return handle;
}

std::shared_ptr<FileObject> FileOf(HANDLE handle) {
    std::shared_ptr<FileObject> file = KernelObject::LookupAs<FileObject>(handle);
    if (!file)
        SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

DWORD Attributes(const std::string& hostPath) {
    struct stat info;
    if (stat(hostPath.c_str(), &info) != 0) {
        SetLastError(HostPath::ErrorFromErrno(errno, hostPath));
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = HostPath::Attributes(info, false);
    struct stat link;
    if (lstat(hostPath.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    return attributes;
}

// A creation that empties the file acts on a link at its path itself (the
// file replaces the link); every other open follows it.
HostPath::LastLink LinkUse(DWORD disposition) {
    bool replaces = disposition == CREATE_NEW || disposition == CREATE_ALWAYS ||
                    disposition == TRUNCATE_EXISTING;
    return replaces ? HostPath::LastLink::Itself : HostPath::LastLink::Follow;
}

} // namespace

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                   HANDLE) {
    std::string host;
    if (!HostPath::FromWide(lpFileName, &host, LinkUse(dwCreationDisposition),
                            PathUse(dwDesiredAccess, dwCreationDisposition)))
        return INVALID_HANDLE_VALUE;
    return Create(host, dwDesiredAccess, dwShareMode, dwCreationDisposition, dwFlagsAndAttributes);
}

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                   HANDLE) {
    std::string host;
    if (!HostPath::FromAnsi(lpFileName, &host, LinkUse(dwCreationDisposition),
                            PathUse(dwDesiredAccess, dwCreationDisposition)))
        return INVALID_HANDLE_VALUE;
    return Create(host, dwDesiredAccess, dwShareMode, dwCreationDisposition, dwFlagsAndAttributes);
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED) {
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file)
        return FALSE;
    if (!(file->Access() & GENERIC_READ) || (!lpBuffer && nNumberOfBytesToRead))
        return HostPath::Fail(!lpBuffer ? ERROR_INVALID_PARAMETER : ERROR_ACCESS_DENIED);
    DWORD done = 0;
    while (done < nNumberOfBytesToRead) {
        ssize_t got = read(file->Descriptor(), static_cast<char*>(lpBuffer) + done,
                           nNumberOfBytesToRead - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            if (lpNumberOfBytesRead)
                *lpNumberOfBytesRead = done;
            return HostPath::Fail(ERROR_READ_FAULT);
        }
        if (got == 0)
            break; // end of file: success with fewer bytes, as on Windows
        done += static_cast<DWORD>(got);
    }
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = done;
    return TRUE;
}

// A write that stops early (the disk is full) fails with ERROR_DISK_FULL and
// reports the bytes that did reach the file.
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED) {
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file)
        return FALSE;
    if (!(file->Access() & GENERIC_WRITE) || (!lpBuffer && nNumberOfBytesToWrite))
        return HostPath::Fail(!lpBuffer ? ERROR_INVALID_PARAMETER : ERROR_ACCESS_DENIED);
    DWORD done = 0;
    BOOL result = TRUE;
    while (done < nNumberOfBytesToWrite) {
        ssize_t put = write(file->Descriptor(), static_cast<const char*>(lpBuffer) + done,
                            nNumberOfBytesToWrite - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            int error = put < 0 ? errno : ENOSPC;
            result = HostPath::Fail(error == ENOSPC || error == EFBIG || error == EDQUOT
                                        ? ERROR_DISK_FULL
                                        : ERROR_WRITE_FAULT);
            break;
        }
        done += static_cast<DWORD>(put);
    }
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = done;
    return result;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                     DWORD dwMoveMethod) {
    std::shared_ptr<FileObject> file = FileOf(hFile);
    if (!file)
        return INVALID_SET_FILE_POINTER;
    LONGLONG distance = lDistanceToMove;
    if (lpDistanceToMoveHigh) {
        ULONGLONG high = static_cast<DWORD>(*lpDistanceToMoveHigh);
        distance = static_cast<LONGLONG>(high << 32 | static_cast<DWORD>(lDistanceToMove));
    }
    struct stat info;
    off_t current = lseek(file->Descriptor(), 0, SEEK_CUR);
    if (dwMoveMethod > FILE_END || current < 0 || fstat(file->Descriptor(), &info) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    LONGLONG base = dwMoveMethod == FILE_BEGIN     ? 0
                    : dwMoveMethod == FILE_CURRENT ? current
                                                   : info.st_size;
    LONGLONG target = base + distance;
    if (target < 0 || (!lpDistanceToMoveHigh && target > 0xFFFFFFFFll)) {
        SetLastError(target < 0 ? ERROR_NEGATIVE_SEEK : ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lseek(file->Descriptor(), static_cast<off_t>(target), SEEK_SET) < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh)
        *lpDistanceToMoveHigh = static_cast<LONG>(target >> 32);
    SetLastError(ERROR_SUCCESS); // callers tell 0xFFFFFFFF apart by the last error
    return static_cast<DWORD>(target);
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    std::shared_ptr<FileObject> file = FileOf(hFile);
    struct stat info;
    if (!file || fstat(file->Descriptor(), &info) != 0) {
        if (file)
            SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    ULONGLONG size = static_cast<ULONGLONG>(info.st_size);
    if (lpFileSizeHigh)
        *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

DWORD GetFileAttributesW(LPCWSTR lpFileName) {
    std::string host;
    if (!HostPath::FromWide(lpFileName, &host))
        return INVALID_FILE_ATTRIBUTES;
    return Attributes(host);
}

DWORD GetFileAttributesA(LPCSTR lpFileName) {
    std::string host;
    if (!HostPath::FromAnsi(lpFileName, &host))
        return INVALID_FILE_ATTRIBUTES;
    return Attributes(host);
}
