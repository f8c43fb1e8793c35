// CopyFile and MoveFileEx. A copy goes to a temporary file beside the target
// and is renamed over it at the end, so a failed copy (a full disk) leaves
// the previous target intact instead of a truncated one. The temporary file
// has no name until it is whole (where the file system allows), so a process
// killed in the middle of a copy leaves nothing behind. A move for the next
// restart only records the pair (see PendingRenames).
#include "platform/HostPath.h"
#include "platform/HostText.h"
#include "platform/PathMap.h"
#include "platform/PendingRenames.h"
#include "platform/ShareTable.h"
#include "platform/WinBase.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t put = write(fd, data, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC;
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

bool CopyContent(int from, int to) {
    std::vector<char> buffer(262144);
    for (;;) {
        ssize_t got = read(from, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!WriteAll(to, buffer.data(), static_cast<std::size_t>(got)))
            return false;
    }
}

// What stops a file from being replaced: a folder, the read-only
// attribute, or opens of it that do not share what the replacement asks for
// (a copy writes it; a move deletes it, which a running program's file never
// allows).
DWORD CheckReplaceable(const std::string& hostPath, const struct stat& target, DWORD access) {
    if (S_ISDIR(target.st_mode) || !(target.st_mode & S_IWUSR))
        return ERROR_ACCESS_DENIED;
    return ShareTable::CheckPath(hostPath, target, access, kShareAll);
}

// Opens the source of a copy and holds it for reading, as Windows does for
// the time of the copy (a device holds nothing, see FileObject); -1 with the
// last error set on failure.
int OpenSource(const std::string& source, const struct stat& info) {
    int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        SetLastError(HostPath::ErrorFromErrno(errno, source));
        return -1;
    }
    DWORD error = S_ISREG(info.st_mode) ? ShareTable::Acquire(in, GENERIC_READ, FILE_SHARE_READ)
                                        : DWORD{ERROR_SUCCESS};
    if (error != ERROR_SUCCESS) {
        close(in);
        SetLastError(error);
        return -1;
    }
    return in;
}

// A file being written beside the target: unnamed when the file system can
// make one, else named from the start.
struct CopyFile {
    int fd = -1;
    bool unnamed = false;
    std::string temporary;
};

bool OpenCopy(const std::string& folder, CopyFile* copy) {
    copy->fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    copy->unnamed = copy->fd >= 0;
    if (copy->unnamed)
        return true;
    copy->temporary = folder + "/.kiv-copy-XXXXXX";
    copy->fd = mkostemp(copy->temporary.data(), O_CLOEXEC);
    return copy->fd >= 0;
}

// Gives a whole unnamed copy the target's own name when nothing has it: one
// step, so that no moment leaves a temporary name behind. False (with errno)
// when the target exists after all or the link fails.
bool NameAsTarget(const CopyFile& copy, const std::string& target) {
    const std::string self = "/proc/self/fd/" + std::to_string(copy.fd);
    return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Gives a whole unnamed copy its temporary name, right before the rename.
bool NameCopy(const std::string& folder, CopyFile* copy) {
    static std::atomic<unsigned> counter{0};
    const std::string self = "/proc/self/fd/" + std::to_string(copy->fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        copy->temporary = folder + "/.kiv-copy-" + std::to_string(getpid()) + "-" +
                          std::to_string(counter.fetch_add(1));
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, copy->temporary.c_str(), AT_SYMLINK_FOLLOW) ==
            0)
            return true;
        if (errno != EEXIST)
            break;
    }
    copy->temporary.clear();
    return false;
}

BOOL CopyHost(const std::string& source, const std::string& target, bool failIfExists) {
    struct stat from, to;
    if (stat(source.c_str(), &from) != 0)
        return HostPath::FailFromErrno(source);
    if (S_ISDIR(from.st_mode))
        return HostPath::Fail(ERROR_ACCESS_DENIED);
    // A link at the target is replaced by the copy (the rename below acts on
    // the link itself), never written through.
    const bool targetExists = lstat(target.c_str(), &to) == 0;
    if (targetExists) {
        if (failIfExists)
            return HostPath::Fail(ERROR_FILE_EXISTS);
        if (!S_ISLNK(to.st_mode))
            if (DWORD error = CheckReplaceable(target, to, GENERIC_WRITE))
                return HostPath::Fail(error);
    }
    int in = OpenSource(source, from);
    if (in < 0)
        return FALSE;
    const std::string folder = HostPath::Parent(target);
    CopyFile copy;
    if (!OpenCopy(folder, &copy)) {
        close(in);
        return HostPath::FailFromErrno(target);
    }
    const int out = copy.fd;
    bool copied = CopyContent(in, out);
    int error = errno;
    struct timespec times[2] = {from.st_atim, from.st_mtim}; // Windows keeps the write time
    copied = copied && fchmod(out, from.st_mode & 07777) == 0 && futimens(out, times) == 0;
    bool named = false; // the copy holds the target's name already
    if (copied && copy.unnamed && !targetExists)
        named = NameAsTarget(copy, target);
    if (copied && copy.unnamed && !named && !NameCopy(folder, &copy)) {
        copied = false;
        error = errno;
    }
    close(in);
    if (close(out) != 0 && copied) {
        copied = false;
        error = errno;
    }
    if (copied && !named && rename(copy.temporary.c_str(), target.c_str()) != 0) {
        copied = false;
        error = errno;
    }
    if (!copied) {
        if (!copy.temporary.empty())
            unlink(copy.temporary.c_str());
        if (named) // named, then not closed whole: it was never a copy
            unlink(target.c_str());
        return HostPath::Fail(HostPath::ErrorFromErrno(error, target));
    }
    return TRUE;
}

BOOL MoveHost(const std::string& source, const std::string& target, DWORD flags) {
    struct stat from, to;
    if (lstat(source.c_str(), &from) != 0)
        return HostPath::FailFromErrno(source);
    // A running program's file may be renamed (ERROR_ACCESS_DENIED only
    // forbids deleting it), as on Windows.
    if (ShareTable::CheckPath(source, from, ShareTable::kDelete, kShareAll) ==
        ERROR_SHARING_VIOLATION)
        return HostPath::Fail(ERROR_SHARING_VIOLATION);
    bool sameEntry = false;
    if (lstat(target.c_str(), &to) == 0) {
        sameEntry = from.st_dev == to.st_dev && from.st_ino == to.st_ino;
        if (!sameEntry && !(flags & MOVEFILE_REPLACE_EXISTING))
            return HostPath::Fail(ERROR_ALREADY_EXISTS);
        if (!sameEntry && (S_ISDIR(from.st_mode) || S_ISDIR(to.st_mode)))
            return HostPath::Fail(ERROR_ACCESS_DENIED);
        if (!sameEntry && !S_ISLNK(to.st_mode))
            if (DWORD error = CheckReplaceable(target, to, ShareTable::kDelete))
                return HostPath::Fail(error);
    }
    if (rename(source.c_str(), target.c_str()) == 0)
        return TRUE;
    if (errno != EXDEV || !(flags & MOVEFILE_COPY_ALLOWED) || S_ISDIR(from.st_mode))
        return HostPath::FailFromErrno(target);
    if (!CopyHost(source, target, false))
        return FALSE;
    unlink(source.c_str());
    return TRUE;
}

// The target path of a move. A name that differs from an existing entry only
// in case maps to that entry; a move onto itself keeps the new spelling, so
// that a rename that only changes case takes effect as on Windows.
std::string MoveTarget(const std::string& mappedTarget, const std::string& givenName,
                       const std::string& source) {
    struct stat from, to;
    if (lstat(source.c_str(), &from) == 0 && lstat(mappedTarget.c_str(), &to) == 0 &&
        from.st_dev == to.st_dev && from.st_ino == to.st_ino && !givenName.empty())
        return HostPath::Parent(mappedTarget) + "/" + givenName;
    return mappedTarget;
}

std::string Utf8(LPCWSTR text) {
    return HostText::FromWide(text);
}
std::string Utf8(LPCSTR text) {
    return HostText::FromAnsi(text);
}

template <typename Char> BOOL Copy(const Char* existing, const Char* newName, BOOL failIfExists) {
    std::string source, target;
    if (!HostPath::From(existing, &source) ||
        !HostPath::From(newName, &target, HostPath::LastLink::Itself, HostPath::Use::Change))
        return FALSE;
    return CopyHost(source, target, failIfExists != FALSE);
}

// The full Windows form of a path as the pending replacements keep it, in
// the ANSI code page; false with the last error set.
template <typename Char> bool ScheduledPath(const Char* path, std::string* ansi) {
    std::string host;
    if (!HostPath::From(path, &host, HostPath::LastLink::Itself, HostPath::Use::Change))
        return false;
    std::string windows = PathMap::ToWindows(host);
    *ansi = HostText::ToAnsi(windows);
    if (HostText::FromAnsi(ansi->c_str()) != windows) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION); // "?" would name another file
        return false;
    }
    return true;
}

template <typename Char> BOOL Schedule(const Char* existing, const Char* newName, DWORD flags) {
    if (flags & MOVEFILE_COPY_ALLOWED)
        return HostPath::Fail(ERROR_INVALID_PARAMETER);
    std::string source, target;
    if (!ScheduledPath(existing, &source) || (newName && !ScheduledPath(newName, &target)))
        return FALSE;
    if (DWORD error =
            PendingRenames::Append(source, target, (flags & MOVEFILE_REPLACE_EXISTING) != 0))
        return HostPath::Fail(error);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

template <typename Char> BOOL Move(const Char* existing, const Char* newName, DWORD flags) {
    if (flags & MOVEFILE_DELAY_UNTIL_REBOOT)
        return Schedule(existing, newName, flags);
    std::string source, target;
    if (!newName)
        return HostPath::Fail(ERROR_INVALID_PARAMETER);
    if (!HostPath::From(existing, &source, HostPath::LastLink::Itself, HostPath::Use::Change) ||
        !HostPath::From(newName, &target, HostPath::LastLink::Itself, HostPath::Use::Change))
        return FALSE;
    std::string name = HostPath::LastComponent(Utf8(newName));
    return MoveHost(source, MoveTarget(target, name, source), flags);
}

} // namespace

BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists) {
    return Copy(lpExistingFileName, lpNewFileName, bFailIfExists);
}
BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    return Copy(lpExistingFileName, lpNewFileName, bFailIfExists);
}
BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
    return Move(lpExistingFileName, lpNewFileName, dwFlags);
}
BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags) {
    return Move(lpExistingFileName, lpNewFileName, dwFlags);
}
