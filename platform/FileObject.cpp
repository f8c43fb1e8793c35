#include "platform/FileObject.h"

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

bool Writes(DWORD access, DWORD disposition) {
    return (access & GENERIC_WRITE) || disposition == CREATE_ALWAYS ||
           disposition == TRUNCATE_EXISTING;
}

// Checks what Windows checks before touching an existing file: a folder is
// never opened as a file, a read-only file is not opened for writing, and
// the sharing of the opens already held is respected.
DWORD CheckExisting(const struct stat& info, DWORD access, DWORD share, DWORD disposition) {
    if (S_ISDIR(info.st_mode))
        return ERROR_ACCESS_DENIED;
    if (disposition == CREATE_NEW)
        return ERROR_FILE_EXISTS;
    bool writes = Writes(access, disposition);
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

// A symbolic link at the path: a creation that empties the file replaces the
// link itself by a new file; any other write through it is refused, so that
// no file is ever written through a link planted at its place. Reading
// follows it, with the checks of the file it leads to.
int OpenAtLink(const std::string& hostPath, int flags, mode_t mode, DWORD access, DWORD share,
               DWORD disposition) {
    if (disposition == CREATE_NEW) {
        SetLastError(ERROR_FILE_EXISTS);
        return -1;
    }
    if (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) {
        if (unlink(hostPath.c_str()) != 0 && errno != ENOENT) {
            SetLastError(HostPath::ErrorFromErrno(errno, hostPath));
            return -1;
        }
        int fd = open(hostPath.c_str(), flags | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
        if (fd < 0)
            SetLastError(OpenError(errno, hostPath));
        return fd;
    }
    struct stat info;
    if (Writes(access, disposition) || stat(hostPath.c_str(), &info) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return -1;
    }
    if (DWORD error = CheckExisting(info, access, share, disposition)) {
        SetLastError(error);
        return -1;
    }
    int fd = open(hostPath.c_str(), flags, mode);
    if (fd < 0)
        SetLastError(OpenError(errno, hostPath));
    return fd;
}

// Opens with CreateFile's checks of an existing file made first; *existed
// tells whether the path named one. A write never follows a link (O_NOFOLLOW
// also closes the gap between the check and the open). -1 with the last
// error set on failure.
int OpenChecked(const std::string& hostPath, int flags, mode_t mode, DWORD access, DWORD share,
                DWORD disposition, bool* existed) {
    struct stat info;
    *existed = lstat(hostPath.c_str(), &info) == 0;
    if (*existed && S_ISLNK(info.st_mode))
        return OpenAtLink(hostPath, flags, mode, access, share, disposition);
    if (*existed) {
        if (DWORD error = CheckExisting(info, access, share, disposition)) {
            SetLastError(error);
            return -1;
        }
    }
    int fd = open(hostPath.c_str(), flags | (Writes(access, disposition) ? O_NOFOLLOW : 0), mode);
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
