#include "platform/PlatformStdio.h"

#include "platform/HostPath.h"
#include "platform/LinkedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The open(2) flags of an fopen mode; false for a mode fopen refuses.
bool OpenFlags(const char* mode, int* flags) {
    bool update = std::strchr(mode, '+') != nullptr;
    int exclusive = std::strchr(mode, 'x') ? O_EXCL : 0;
    switch (mode[0]) {
    case 'r':
        *flags = update ? O_RDWR : O_RDONLY;
        return true;
    case 'w':
        *flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC | exclusive;
        return true;
    case 'a':
        *flags = (update ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND;
        return true;
    default:
        return false;
    }
}

// A file with other names is replaced, not written (see LinkedFile); an
// appending stream keeps appending to the replacement.
int OpenReplacement(const std::string& host, const struct stat& info, int flags) {
    int fd = LinkedFile::Replace(host, info, !(flags & O_TRUNC));
    if (fd >= 0 && (flags & O_APPEND) && fcntl(fd, F_SETFL, O_APPEND) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Opens the host file. A write never goes through a symbolic link: "w"
// replaces a link at the path by the new file, other writing modes refuse it.
int OpenHost(const std::string& host, int flags, bool empties) {
    bool writes = (flags & O_ACCMODE) != O_RDONLY;
    struct stat info;
    bool exists = writes && lstat(host.c_str(), &info) == 0;
    if (exists && empties && S_ISLNK(info.st_mode) && unlink(host.c_str()) != 0)
        return -1;
    if (exists && LinkedFile::MustReplace(info) && !(flags & O_EXCL))
        return OpenReplacement(host, info, flags);
    return open(host.c_str(), flags | O_CLOEXEC | (writes ? O_NOFOLLOW : 0),
                HostPath::NewFileMode(host, false));
}

} // namespace

// The path is in the machine's ANSI code page, as fopen takes it on Windows.
// "t" is dropped (the host has no text mode) and the stream is not inherited
// by started programs. A folder is refused, as on Windows.
FILE* PlatformFopen(const char* windowsPath, const char* mode) {
    int flags = 0;
    if (!mode || !OpenFlags(mode, &flags)) {
        errno = EINVAL;
        return nullptr;
    }
    bool empties = (flags & O_TRUNC) != 0;
    bool writes = (flags & O_ACCMODE) != O_RDONLY;
    std::string host;
    if (!HostPath::FromAnsi(windowsPath, &host,
                            empties ? HostPath::LastLink::Itself : HostPath::LastLink::Follow,
                            writes ? HostPath::Use::Change : HostPath::Use::Read)) {
        errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : ENOENT;
        return nullptr;
    }
    int fd = OpenHost(host, flags, empties);
    struct stat info;
    if (fd >= 0 && fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        errno = EACCES;
        return nullptr;
    }
    std::string hostMode;
    for (const char* c = mode; *c && hostMode.size() < 8; ++c)
        if (*c != 't' && *c != 'e' && *c != 'x')
            hostMode += *c;
    FILE* file = fd >= 0 ? fdopen(fd, hostMode.c_str()) : nullptr;
    if (!file && fd >= 0)
        close(fd);
    return file;
}
