#include "platform/FileObject.h"

#include "platform/FolderNameCache.h"
#include "platform/HostPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool OpenFlags(DWORD access, DWORD disposition, int* flags) {
    switch (access & (GENERIC_READ | GENERIC_WRITE)) {
    case GENERIC_READ | GENERIC_WRITE:
        *flags = O_RDWR;
        break;
    case GENERIC_WRITE:
        *flags = O_WRONLY;
        break;
    default:
        *flags = O_RDONLY;
        break;
    }
    *flags |= O_CLOEXEC;
    switch (disposition) {
    case CREATE_NEW:
        *flags |= O_CREAT | O_EXCL;
        return true;
    case CREATE_ALWAYS:
        *flags |= O_CREAT | O_TRUNC;
        return true;
    case OPEN_EXISTING:
        return true;
    case OPEN_ALWAYS:
        *flags |= O_CREAT;
        return true;
    case TRUNCATE_EXISTING:
        *flags |= O_TRUNC;
        return (access & GENERIC_WRITE) != 0;
    default:
        return false;
    }
}

// Checks what Windows checks before touching an existing file: a folder is
// never opened as a file, a read-only file is not opened for writing, and
// the sharing of the opens already held is respected.
DWORD CheckExisting(const struct stat& info, DWORD access, DWORD share, DWORD disposition) {
    if (S_ISDIR(info.st_mode))
        return ERROR_ACCESS_DENIED;
    if (disposition == CREATE_NEW)
        return ERROR_FILE_EXISTS;
    bool writes = (access & GENERIC_WRITE) || disposition == CREATE_ALWAYS ||
                  disposition == TRUNCATE_EXISTING;
    if (writes && !(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return ERROR_ACCESS_DENIED;
    DWORD wanted = access | (writes ? GENERIC_WRITE : 0);
    if (!ShareTable::Allows({info.st_dev, info.st_ino}, wanted, share))
        return ERROR_SHARING_VIOLATION;
    return ERROR_SUCCESS;
}

DWORD OpenError(int error, const std::string& hostPath) {
    return error == EEXIST ? static_cast<DWORD>(ERROR_FILE_EXISTS)
                           : HostPath::ErrorFromErrno(error, hostPath);
}

// Opens with CreateFile's checks of an existing file made first; *existed
// tells whether the path named one. -1 with the last error set on failure.
int OpenChecked(const std::string& hostPath, int flags, mode_t mode, DWORD access, DWORD share,
                DWORD disposition, bool* existed) {
    struct stat info;
    *existed = stat(hostPath.c_str(), &info) == 0;
    if (*existed) {
        if (DWORD error = CheckExisting(info, access, share, disposition)) {
            SetLastError(error);
            return -1;
        }
    }
    int fd = open(hostPath.c_str(), flags, mode);
    if (fd < 0)
        SetLastError(OpenError(errno, hostPath));
    return fd;
}

} // namespace

FileObject::FileObject(int fd, const std::string& hostPath, DWORD access, DWORD share,
                       ShareTable::FileId id)
    : fd_(fd), hostPath_(hostPath), access_(access), share_(share), id_(id) {}

FileObject::~FileObject() {
    ShareTable::Release(id_, access_, share_);
    close(fd_);
}

std::shared_ptr<FileObject> FileObject::Open(const std::string& hostPath, DWORD access, DWORD share,
                                             DWORD disposition, DWORD attributes) {
    int flags = 0;
    if (!OpenFlags(access, disposition, &flags)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    mode_t mode = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    // Most creations make a new file: trying that first asks the host once,
    // and a new file needs none of the checks of an existing one.
    bool existed = false;
    int fd = -1;
    if (flags & O_CREAT)
        fd = open(hostPath.c_str(), (flags & ~O_TRUNC) | O_EXCL, mode);
    if (fd < 0 && (flags & O_CREAT) && errno != EEXIST) {
        SetLastError(OpenError(errno, hostPath));
        return nullptr;
    }
    if (fd < 0 &&
        (fd = OpenChecked(hostPath, flags, mode, access, share, disposition, &existed)) < 0)
        return nullptr;
    if (!existed)
        FolderNameCache::NoteCreated(hostPath);
    struct stat info;
    if (fstat(fd, &info) != 0) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    ShareTable::FileId id{info.st_dev, info.st_ino};
    if (!ShareTable::Acquire(id, access & (GENERIC_READ | GENERIC_WRITE), share)) {
        close(fd); // lost a race with another thread's open
        SetLastError(ERROR_SHARING_VIOLATION);
        return nullptr;
    }
    auto file = std::make_shared<FileObject>(fd, hostPath, access & (GENERIC_READ | GENERIC_WRITE),
                                             share, id);
    bool reportsExisting = disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    SetLastError(existed && reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return file;
}
