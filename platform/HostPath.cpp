#include "platform/HostPath.h"

#include "platform/HostText.h"
#include "platform/PathMap.h"

#include <cerrno>
#include <strings.h>

namespace HostPath {

namespace {
bool Map(const std::string& windowsPath, std::string* hostPath, LastLink last, Use use) {
    unsigned error = 0;
    if (!PathMap::ToHost(windowsPath, hostPath, &error, last)) {
        SetLastError(error);
        return false;
    }
    if (use == Use::Change && !PathMap::Changeable(*hostPath)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}
} // namespace

bool FromWide(LPCWSTR windowsPath, std::string* hostPath, LastLink last, Use use) {
    if (!windowsPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return Map(HostText::FromWide(windowsPath), hostPath, last, use);
}

bool FromAnsi(LPCSTR windowsPath, std::string* hostPath, LastLink last, Use use) {
    if (!windowsPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return Map(HostText::FromAnsi(windowsPath), hostPath, last, use);
}

std::string Parent(const std::string& hostPath) {
    std::size_t slash = hostPath.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : hostPath.substr(0, slash);
}

std::string LastComponent(const std::string& path) {
    std::size_t end = path.find_last_not_of("\\/");
    if (end == std::string::npos)
        return std::string();
    std::size_t start = path.find_last_of("\\/:", end);
    start = start == std::string::npos ? 0 : start + 1;
    return path.substr(start, end - start + 1);
}

DWORD ErrorFromErrno(int error, const std::string& hostPath) {
    struct stat info;
    switch (error) {
    case ENOENT:
        if (stat(Parent(hostPath).c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            return ERROR_FILE_NOT_FOUND;
        return ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG:
        return ERROR_FILENAME_EXCED_RANGE;
    case EXDEV:
        return ERROR_NOT_SAME_DEVICE;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case ETXTBSY:
    case EBUSY:
        return ERROR_SHARING_VIOLATION;
    case ENOEXEC:
        return ERROR_BAD_EXE_FORMAT;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

BOOL FailFromErrno(const std::string& hostPath) {
    return Fail(ErrorFromErrno(errno, hostPath));
}

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

mode_t NewFileMode(const std::string& hostPath, bool readOnly) {
    const bool program =
        hostPath.size() > 4 && strcasecmp(hostPath.c_str() + hostPath.size() - 4, ".exe") == 0;
    const mode_t mode = program ? 0777 : 0666;
    return readOnly ? mode & 0555 : mode;
}

DWORD Attributes(const struct stat& info, bool isLink) {
    if (isLink)
        return FILE_ATTRIBUTE_REPARSE_POINT;
    DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(info.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

// Windows counts 100-nanosecond steps since 1601-01-01.
FILETIME FileTime(const struct timespec& time) {
    const ULONGLONG epochDifference = 116444736000000000ull;
    ULONGLONG ticks = epochDifference + static_cast<ULONGLONG>(time.tv_sec) * 10000000ull +
                      static_cast<ULONGLONG>(time.tv_nsec) / 100;
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

} // namespace HostPath
