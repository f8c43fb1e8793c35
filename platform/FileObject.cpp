#include "platform/FileObject.h"

#include "platform/HostPath.h"
#include "platform/LinkedFile.h"
#include "platform/ShareTable.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writing opens the host file for reading as well, so that the open can hold
// its share lock (see ShareTable); ReadFile still refuses a handle without
// GENERIC_READ. Emptying is left to Open, after the sharing check.
bool OpenFlags(DWORD access, DWORD disposition, int* flags) {
    switch (access & (GENERIC_READ | GENERIC_WRITE)) {
    case GENERIC_READ | GENERIC_WRITE:
    case GENERIC_WRITE:
        *flags = O_RDWR;
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
// never opened as a file, and a read-only file is not opened for writing.
// Sharing is checked once the file is open (Hold).
DWORD CheckExisting(const struct stat& info, DWORD access, DWORD disposition) {
    if (S_ISDIR(info.st_mode))
        return ERROR_ACCESS_DENIED;
    if (disposition == CREATE_NEW)
        return ERROR_FILE_EXISTS;
    if (Writes(access, disposition) && !(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

// A file the host lets us write but not read is opened write-only (its open
// is then checked but not held, see ShareTable).
int OpenHost(const std::string& hostPath, int flags, mode_t mode, DWORD access) {
    int fd = open(hostPath.c_str(), flags, mode);
    if (fd < 0 && errno == EACCES && (flags & O_ACCMODE) == O_RDWR && !(access & GENERIC_READ))
        fd = open(hostPath.c_str(), (flags & ~O_ACCMODE) | O_WRONLY, mode);
    return fd;
}

DWORD OpenError(int error, const std::string& hostPath) {
    return error == EEXIST ? static_cast<DWORD>(ERROR_FILE_EXISTS)
                           : HostPath::ErrorFromErrno(error, hostPath);
}

// A symbolic link at the path: a creation that empties the file replaces the
// link itself by a new file; any other write through it is refused, so that
// no file is ever written through a link planted at its place. Reading
// follows it, with the checks of the file it leads to.
int OpenAtLink(const std::string& hostPath, int flags, mode_t mode, DWORD access, DWORD disposition,
               bool* plain) {
    if (disposition == CREATE_NEW) {
        SetLastError(ERROR_FILE_EXISTS);
        return -1;
    }
    if (disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING) {
        if (unlink(hostPath.c_str()) != 0 && errno != ENOENT) {
            SetLastError(HostPath::ErrorFromErrno(errno, hostPath));
            return -1;
        }
        int fd = OpenHost(hostPath, flags | O_CREAT | O_EXCL | O_NOFOLLOW, mode, access);
        if (fd < 0)
            SetLastError(OpenError(errno, hostPath));
        return fd;
    }
    struct stat info;
    if (Writes(access, disposition) || stat(hostPath.c_str(), &info) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return -1;
    }
    if (DWORD error = CheckExisting(info, access, disposition)) {
        SetLastError(error);
        return -1;
    }
    *plain = S_ISREG(info.st_mode);
    int fd = open(hostPath.c_str(), flags, mode);
    if (fd < 0)
        SetLastError(OpenError(errno, hostPath));
    return fd;
}

// A write to a file with other names goes to its replacement (see
// LinkedFile), once the opens of the file it replaces allow the write.
int OpenReplacement(const std::string& hostPath, const struct stat& info, DWORD access, DWORD share,
                    DWORD disposition) {
    if (DWORD error = ShareTable::CheckPath(hostPath, info, access, share)) {
        SetLastError(error);
        return -1;
    }
    const bool empties = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
    int fd = LinkedFile::Replace(hostPath, info, !empties);
    if (fd < 0)
        SetLastError(HostPath::ErrorFromErrno(errno, hostPath));
    return fd;
}

// Opens with CreateFile's checks of an existing file made first; *existed
// tells whether the path named one, *plain whether it is a plain file (not a
// device or a pipe). A write never follows a link (O_NOFOLLOW also closes
// the gap between the check and the open). -1 with the last error set on
// failure.
int OpenChecked(const std::string& hostPath, int flags, mode_t mode, DWORD access, DWORD share,
                DWORD disposition, bool* existed, bool* plain) {
    struct stat info;
    *existed = lstat(hostPath.c_str(), &info) == 0;
    if (*existed && S_ISLNK(info.st_mode))
        return OpenAtLink(hostPath, flags, mode, access, disposition, plain);
    *plain = !*existed || S_ISREG(info.st_mode);
    if (*existed) {
        if (DWORD error = CheckExisting(info, access, disposition)) {
            SetLastError(error);
            return -1;
        }
        if (Writes(access, disposition) && LinkedFile::MustReplace(info))
            return OpenReplacement(hostPath, info, access, share, disposition);
    }
    int fd =
        OpenHost(hostPath, flags | (Writes(access, disposition) ? O_NOFOLLOW : 0), mode, access);
    if (fd < 0)
        SetLastError(OpenError(errno, hostPath));
    return fd;
}

// Holds the open's share mode, then empties an existing file that the
// creation asks to empty: never before the sharing check has passed.
// Devices and pipes (Z:\dev\null) are shared by every program of the host:
// they hold no share mode, and have nothing to empty.
DWORD Hold(int fd, DWORD access, DWORD share, bool plain, bool empty) {
    if (!plain)
        return ERROR_SUCCESS;
    if (DWORD error = ShareTable::Acquire(fd, access, share))
        return error;
    if (empty && ftruncate(fd, 0) != 0)
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

bool IsFolder(const std::string& hostPath) {
    struct stat info;
    return stat(hostPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A folder's handle only names it: it reads and writes nothing, so it holds
// no share mode and carries no access.
std::shared_ptr<FileObject> OpenFolder(const std::string& hostPath, DWORD access,
                                       DWORD disposition) {
    if ((disposition != OPEN_EXISTING && disposition != OPEN_ALWAYS) || (access & GENERIC_WRITE)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    int fd = open(hostPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        SetLastError(HostPath::ErrorFromErrno(errno, hostPath));
        return nullptr;
    }
    SetLastError(disposition == OPEN_ALWAYS ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return std::make_shared<FileObject>(fd, hostPath, 0);
}

} // namespace

FileObject::FileObject(int fd, const std::string& hostPath, DWORD access)
    : fd_(fd), hostPath_(hostPath), access_(access) {}

FileObject::~FileObject() {
    close(fd_);
}

std::shared_ptr<FileObject> FileObject::Open(const std::string& hostPath, DWORD access, DWORD share,
                                             DWORD disposition, DWORD attributes) {
    if ((attributes & FILE_FLAG_BACKUP_SEMANTICS) && IsFolder(hostPath))
        return OpenFolder(hostPath, access, disposition);
    int flags = 0;
    if (!OpenFlags(access, disposition, &flags)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    bool empty = flags & O_TRUNC;
    flags &= ~O_TRUNC;
    mode_t mode = HostPath::NewFileMode(hostPath, attributes & FILE_ATTRIBUTE_READONLY);
    // Most creations make a new file: trying that first asks the host once,
    // and a new file needs none of the checks of an existing one.
    bool existed = false, plain = true;
    int fd = -1;
    if (flags & O_CREAT)
        fd = OpenHost(hostPath, flags | O_EXCL, mode, access);
    if (fd < 0 && (flags & O_CREAT) && errno != EEXIST) {
        SetLastError(OpenError(errno, hostPath));
        return nullptr;
    }
    if (fd < 0 &&
        (fd = OpenChecked(hostPath, flags, mode, access, share, disposition, &existed, &plain)) < 0)
        return nullptr;
    if (DWORD error = Hold(fd, access, share, plain, existed && empty)) {
        close(fd);
        SetLastError(error);
        return nullptr;
    }
    auto file = std::make_shared<FileObject>(fd, hostPath, access & (GENERIC_READ | GENERIC_WRITE));
    bool reportsExisting = disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    SetLastError(existed && reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return file;
}
